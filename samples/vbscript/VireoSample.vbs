' VireoSample.vbs: the VireoBrowser control from Windows Script Host.
'     cscript //nologo VireoSample.vbs
' Use the script host of the DLL's bitness: on 64-bit Windows %WINDIR%\System32\cscript.exe runs the
' x64 DLL and %WINDIR%\SysWOW64\cscript.exe the x86 one.
'
' A script made with CreateObject has no window to put the control in, so it calls the members that need
' none: properties, the font object, the locations the control hands back to its host, and the errors.
' Scripts see the record SelFolder only through hosts that know records (VBScript does not); the events
' carry the same fields. In a web page or an HTA the control has a window and does everything.
Option Explicit

Dim browser
Set browser = CreateObject("VireoBR.VireoBrowser")
WScript.Echo "created VireoBR.VireoBrowser"

' Events: the script host connects Browser_<event> procedures where it can.
On Error Resume Next
WScript.ConnectObject browser, "Browser_"
If Err.Number = 0 Then WScript.Echo "events connected" Else WScript.Echo "events not connected: " & Err.Description
Err.Clear
On Error GoTo 0

Sub Browser_OpenArchive(sURL)
    WScript.Echo "event OpenArchive " & sURL
End Sub

Sub Browser_OpenFTP(sURL)
    WScript.Echo "event OpenFTP " & sURL
End Sub

Sub Browser_NotifyURL(sURL, sLocName, sLocURL, nPidl, nAttr)
    WScript.Echo "event NotifyURL " & sURL
End Sub

' Properties.
browser.Style = 1
WScript.Echo "Style: " & browser.Style
browser.ForeColor = &HFF0000
WScript.Echo "ForeColor: " & Hex(browser.ForeColor)

' The font object: read its face, change its size through it.
WScript.Echo "Font.Name: " & browser.Font.Name
browser.Font.Size = 12
WScript.Echo "Font.Size: " & browser.Font.Size

' Locations the control gives back to its host: an archive, an FTP address.
browser.OpenArchiveEx "C:\backup.zip"
Dim ok
ok = False
WScript.Echo "NavigateTV: " & browser.NavigateTV("ftp://ftp.example.org/", ok) & ", bSuccess " & ok

' Errors come back as run-time errors of the script.
On Error Resume Next
browser.Style = Null
WScript.Echo "Style = Null: error " & Err.Number
Err.Clear
browser.SwitchView "details"
WScript.Echo "SwitchView ""details"": error " & Err.Number
Err.Clear
browser.NoSuchMember
WScript.Echo "NoSuchMember: error " & Err.Number
Err.Clear
On Error GoTo 0

' The last control on the thread empties the lists all controls share.
browser.Terminate True
Set browser = Nothing
WScript.Echo "done"
