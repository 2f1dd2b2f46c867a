// What a followed folder's index says of a name: held, not held, or nothing known (the folder has no
// index read and followed, so the caller looks at the disk itself).
#pragma once

namespace emu {

enum class NamePresence { Unknown, Absent, Present };

} // namespace emu
