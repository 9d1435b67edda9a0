' Corvane from VBScript: create the control, read its answers, set its properties, see the
' errors the automation layer raises. Runs under any host with WScript.Echo or Host.Echo.
' Created here without a form (no window), so it loads and plays nothing: in a page or form,
' LoadMediaFile and Play show the video.
Option Explicit
Dim player, fails
fails = 0

Sub Say(text)
    On Error Resume Next
    WScript.Echo text
    If Err.Number <> 0 Then
        Err.Clear
        Host.Echo text
    End If
End Sub

Sub Check(what, got, expected)
    If got <> expected Or TypeName(got) <> TypeName(expected) Then
        fails = fails + 1
        Say "FAIL " & what & ": " & got & " (" & TypeName(got) & "), expected " & expected & " (" & TypeName(expected) & ")"
    Else
        Say "ok   " & what & " = " & got
    End If
End Sub

Sub CheckError(what, expected)
    If Err.Number <> expected Then
        fails = fails + 1
        Say "FAIL " & what & ": error " & Err.Number & ", expected " & expected
    Else
        Say "ok   " & what & " raises error " & expected
    End If
    Err.Clear
End Sub

Set player = CreateObject("Corvane.CorvaneCtrl.1")

' The properties and their defaults.
Check "XLoop", player.XLoop, False
Check "XMute", player.XMute, False
Check "XAspectRatio", player.XAspectRatio, False
Check "XEffectSpeed", player.XEffectSpeed, CLng(125)
player.XEffectSpeed = 250
player.XLoop = True
player.BackColor = &H336699
Check "XEffectSpeed after put", player.XEffectSpeed, CLng(250)
Check "XLoop after put", player.XLoop, True
Check "BackColor after put", player.BackColor, &H336699

' Nothing is loaded: the getters give their empty answers, the commands do nothing.
Check "GetSliderMax", player.GetSliderMax(), CInt(1000)
Check "GetDuration", player.GetDuration(), 0.0
Check "GetDurationHHMMSS", player.GetDurationHHMMSS(), ""
Check "GetPosition", player.GetPosition(), 0.0
Check "GetPositionHHMMSS", player.GetPositionHHMMSS(), ""
Check "GetSliderPosition", player.GetSliderPosition(), CLng(0)
Check "GetVideoWidth", player.GetVideoWidth(), CLng(0)
Check "GetPlaybackRate", player.GetPlaybackRate(), 0.0
player.Play
player.SetFontSize 24
player.SetFontColor RGB(255, 255, 0)
player.SetText "Hello", 10, 10
player.Stop
' Without a window the load cannot happen, and the control says so only by its answers.
player.LoadMediaFile "C:\no such folder\clip.avi", 0, True
Check "GetDuration after a load that could not happen", player.GetDuration(), 0.0

' Names are matched without regard to case; numbers in strings are converted.
Check "xeffectspeed", player.xeffectspeed, CLng(250)
player.SetLayerAlpha "1", "50"

' Only the automation layer raises errors.
On Error Resume Next
player.NoSuchMethod
CheckError "an unknown name", 438
player.SetLayerAlpha 1
CheckError "a missing argument", 450
player.XEffectSpeed = "fast"
CheckError "a value that is not a number", 13
On Error GoTo 0

Say "DONE fails=" & fails
