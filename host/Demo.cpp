// The built-in tour: one command shows what the control does.
#include "host/Host.h"
#include <sstream>

namespace host {

namespace {

const char* const kTour = R"(say VireoBR tour: a sample drive C: and a control on a form.
mount C: label SYSTEM
mount D: cdrom label AUDIO_CD
mkdir C:\Windows\System
mkdir C:\Backup
mkdir C:\Temp
file C:\Temp\readme.txt "Hello from the sample drive."
file C:\Temp\site.url "[InternetShortcut]" "URL=http://www.example.org/"
file C:\Temp\backup.tar.gz "not really an archive"
file C:\Temp\page.htm "<html><title>Sample</title></html>"
share \\fileserver\public
cd C:\
create
say The user types a folder into the address box and presses Enter:
address C:\Temp
show view
say A click on a file: 200 ms later the host hears of the selection.
click readme
clock 200
say Inverting the selection, then listing it:
invoke InvertSelection
invoke GetSelectedFileList ""
say Backspace in the folder view goes up one level:
key backspace
show list
say Each kind of location goes to its own place.
say A drive folder goes to the folder tree:
invoke NavigateTV "C:\Windows" false
say An FTP address goes back to the host:
invoke NavigateTV "ftp.example.org" false
say A missing drive folder puts a message on the status bar:
invoke NavigateTV "C:\NoSuchFolder" false
say An Internet shortcut goes back to the host with its address:
invoke NavigateTV "C:\Temp\site.url" false
say An archive goes back to the host:
invoke NavigateTV "C:\Temp\backup.tar.gz" false
say A text document is opened by its program:
invoke NavigateTV "C:\Temp\readme.txt" false
say HTML files, UNC folders and web addresses go to the web view:
invoke NavigateTV "C:\Temp\page.htm" false
invoke NavigateTV "\\fileserver\public" false
invoke NavigateTV "www.example.org" false
say Anything else asks the user what kind of address it is (the script answers FTP):
dialog press "&FTP URL"
invoke NavigateTV "intranet" false
say The current location and the properties (a script can check what it expects):
invoke get SelFolder
expect result Record {sURL="\\fileserver\public\", *
invoke let Style 1
invoke get Style
expect result Long 1
say A wrong call gets a dispatch error, which the script expects:
invoke let Style "large"
expect error 0x80020005 *
say The Tree button shows the folder tree; dragging the grab bar moves the split:
toolbar tree
show layout
drag splitter -60
show layout
say The Select Folder button drops down the drive and folder menu; the user opens the CD tray:
answer PopupMenu 0 "&Open Door"
toolbar select
say and then chooses drive C, which goes to that drive's current directory:
cd C:\Temp
answer PopupMenu 0 "&C SYSTEM "
toolbar select
say Copying the selected file to another folder asks first (the user says Yes):
click readme
dialog press &Yes
invoke FileOperation int:3 C:\Backup
say Renaming it through the rename form:
click readme
dialog clear
dialog type notes.txt
dialog press &Ok
invoke FileOperation int:0 ""
say A new folder through the new-folder form:
dialog type Letters
dialog press &Ok
invoke FileOperation int:5 ""
show view
say Printing a folder writes its listing with the command interpreter and opens it in Notepad:
invoke PrintEx
say A resized form lays the control out again:
resize 500 300
show layout
)";

} // namespace

int RunDemo(Output& out) {
    Host host(out);
    std::istringstream script(kTour);
    return host.RunScript(script);
}

} // namespace host
