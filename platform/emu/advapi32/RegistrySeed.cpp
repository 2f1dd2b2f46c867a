// What a fresh Windows installation has registered: the common file types with their classes, type names,
// icons and commands, the folder classes, the Internet protocols, and a few machine and user settings.
// Programs are named as their commands name them; the emulated desktop does not search the path.
#include "platform/emu/advapi32/Registry.h"

namespace emu {

std::string_view Registry::SeedText() {
    return R"REG(
; Text and settings files
[HKCR\.txt]
@ = txtfile
Content Type = text/plain
PerceivedType = text
HKCR\.log = txtfile
HKCR\txtfile = Text Document
HKCR\txtfile\DefaultIcon = shell32.dll,-152
HKCR\txtfile\shell\open\command = notepad.exe "%1"
HKCR\txtfile\shell\print\command = notepad.exe /p "%1"
HKCR\.ini = inifile
HKCR\inifile = Configuration Settings
HKCR\inifile\DefaultIcon = shell32.dll,-151
HKCR\inifile\shell\open\command = notepad.exe "%1"
HKCR\inifile\shell\print\command = notepad.exe /p "%1"

; Web pages and shortcuts
[HKCR\.htm]
@ = htmlfile
Content Type = text/html
PerceivedType = text
[HKCR\.html]
@ = htmlfile
Content Type = text/html
PerceivedType = text
HKCR\htmlfile = HTML Document
HKCR\htmlfile\DefaultIcon = "C:\Program Files\Internet Explorer\iexplore.exe",1
HKCR\htmlfile\shell = opennew
HKCR\htmlfile\shell\open\command = "C:\Program Files\Internet Explorer\iexplore.exe" -nohome
HKCR\htmlfile\shell\opennew = &Open
HKCR\htmlfile\shell\opennew\command = "C:\Program Files\Internet Explorer\iexplore.exe" "%1"
HKCR\htmlfile\shell\edit = &Edit
HKCR\htmlfile\shell\edit\command = notepad.exe "%1"
HKCR\htmlfile\shell\print\command = rundll32.exe mshtml.dll,PrintHTML "%1"
HKCR\.url = InternetShortcut
HKCR\InternetShortcut = Internet Shortcut
[HKCR\InternetShortcut]
IsShortcut = sz:
HKCR\InternetShortcut\DefaultIcon = url.dll,0
HKCR\InternetShortcut\shell\open\command = rundll32.exe shdocvw.dll,OpenURL %l
HKCR\.lnk = lnkfile
HKCR\lnkfile = Shortcut
[HKCR\lnkfile]
IsShortcut = sz:
NeverShowExt = sz:

; Archives
[HKCR\.zip]
@ = CompressedFolder
Content Type = application/x-zip-compressed
PerceivedType = compressed
HKCR\CompressedFolder = Compressed (zipped) Folder
HKCR\CompressedFolder\DefaultIcon = zipfldr.dll
HKCR\CompressedFolder\shell\open\command = rundll32.exe zipfldr.dll,RouteTheCall %L

; Pictures, sounds and documents
[HKCR\.bmp]
@ = Paint.Picture
Content Type = image/bmp
PerceivedType = image
HKCR\Paint.Picture = Bitmap Image
HKCR\Paint.Picture\DefaultIcon = mspaint.exe,1
HKCR\Paint.Picture\shell\open\command = mspaint.exe "%1"
HKCR\Paint.Picture\shell\print\command = mspaint.exe /p "%1"
[HKCR\.jpg]
@ = jpegfile
Content Type = image/jpeg
PerceivedType = image
HKCR\.jpeg = jpegfile
HKCR\jpegfile = JPEG Image
HKCR\jpegfile\shell\open\command = rundll32.exe shimgvw.dll,ImageView_Fullscreen %1
HKCR\jpegfile\shell\edit\command = mspaint.exe "%1"
HKCR\.gif = giffile
HKCR\giffile = GIF Image
HKCR\giffile\shell\open\command = rundll32.exe shimgvw.dll,ImageView_Fullscreen %1
HKCR\.wav = soundrec
HKCR\soundrec = Wave Sound
HKCR\soundrec\shell\open\command = "C:\Program Files\Windows Media Player\wmplayer.exe" /prefetch:1 /Play "%L"
HKCR\.mp3 = mp3file
HKCR\mp3file = MP3 Format Sound
HKCR\mp3file\shell\open\command = "C:\Program Files\Windows Media Player\wmplayer.exe" /prefetch:1 /Play "%L"
HKCR\.doc = WordPad.Document.1
HKCR\.rtf = rtffile
HKCR\WordPad.Document.1 = Microsoft Word Document
HKCR\WordPad.Document.1\shell\open\command = "C:\Program Files\Windows NT\Accessories\WORDPAD.EXE" "%1"
HKCR\WordPad.Document.1\shell\print\command = "C:\Program Files\Windows NT\Accessories\WORDPAD.EXE" /p "%1"
HKCR\rtffile = Rich Text Format
HKCR\rtffile\shell\open\command = "C:\Program Files\Windows NT\Accessories\WORDPAD.EXE" "%1"

; Programs
[HKCR\.exe]
@ = exefile
Content Type = application/x-msdownload
HKCR\exefile = Application
HKCR\exefile\DefaultIcon = %1
HKCR\exefile\shell\open\command = "%1" %*
HKCR\.com = comfile
HKCR\comfile = MS-DOS Application
HKCR\comfile\shell\open\command = "%1" %*
HKCR\.bat = batfile
HKCR\batfile = MS-DOS Batch File
HKCR\batfile\shell\open\command = "%1" %*
HKCR\batfile\shell\edit\command = notepad.exe "%1"
HKCR\.cmd = cmdfile
HKCR\cmdfile = Windows NT Command Script
HKCR\cmdfile\shell\open\command = "%1" %*
HKCR\cmdfile\shell\edit\command = notepad.exe "%1"
HKCR\.dll = dllfile
HKCR\dllfile = Application Extension

; Folders and drives
HKCR\Folder = Folder
HKCR\Folder\DefaultIcon = shell32.dll,3
HKCR\Folder\shell\open\command = explorer.exe "%1"
HKCR\Folder\shell\explore\command = explorer.exe /e,"%1"
HKCR\Directory = File Folder
HKCR\Directory\DefaultIcon = shell32.dll,3
HKCR\Directory\shell\find\command = explorer.exe /find,"%1"
HKCR\Directory\shell\cmd = Open Command &Prompt Here
HKCR\Directory\shell\cmd\command = cmd.exe /k cd "%1"
HKCR\Drive = Drive
HKCR\Drive\DefaultIcon = shell32.dll,8
HKCR\Drive\shell\find\command = explorer.exe /find,"%1"
HKCR\*\shellex\ContextMenuHandlers
HKCR\AllFilesystemObjects\shellex\ContextMenuHandlers

; Internet protocols
[HKCR\http]
@ = URL:HyperText Transfer Protocol
URL Protocol = sz:
EditFlags = dword:00000002
HKCR\http\shell\open\command = "C:\Program Files\Internet Explorer\iexplore.exe" -nohome
[HKCR\https]
@ = URL:HyperText Transfer Protocol with Privacy
URL Protocol = sz:
HKCR\https\shell\open\command = "C:\Program Files\Internet Explorer\iexplore.exe" -nohome
[HKCR\ftp]
@ = URL:File Transfer Protocol
URL Protocol = sz:
HKCR\ftp\shell\open\command = "C:\Program Files\Internet Explorer\iexplore.exe" %1
[HKCR\mailto]
@ = URL:MailTo Protocol
URL Protocol = sz:
HKCR\mailto\shell\open\command = "C:\Program Files\Outlook Express\msimn.exe" /mailurl:%1

; Machine and user settings
[HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion]
ProgramFilesDir = C:\Program Files
CommonFilesDir = C:\Program Files\Common Files
[HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion]
ProductName = Microsoft Windows XP
CurrentVersion = 5.1
CurrentBuildNumber = 2600
SystemRoot = C:\WINDOWS
[HKCU\Software\Microsoft\Internet Explorer\Main]
Start Page = about:blank
[HKCU\Environment]
TEMP = expand:%USERPROFILE%\Local Settings\Temp
TMP = expand:%USERPROFILE%\Local Settings\Temp
HKU\.DEFAULT\Software
)REG";
}

} // namespace emu
