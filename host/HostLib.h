// The scripting host's library: everything of vireo-host but its main().
#pragma once
