' Corvane placed in a window by a script host, playing a clip to its end: the events bound by
' name (Player_OnPlaying, Player_OnFinish) and the position answers while it plays. Runs under
' the project's scripthost, whose Host.PlaceControl puts the control in a container window and
' whose Host.Wait lets the window's messages (the control's timers and events) run.
Option Explicit
Dim player, fails, ticks, finishes, furthest, waited, width
fails = 0 : ticks = 0 : finishes = 0 : furthest = 0 : width = 0

Sub Check(what, ok, detail)
    If ok Then
        Host.Echo "ok   " & what & ": " & detail
    Else
        fails = fails + 1
        Host.Echo "FAIL " & what & ": " & detail
    End If
End Sub

Sub Player_OnPlaying()
    ticks = ticks + 1
    If player.GetSliderPosition() > furthest Then furthest = player.GetSliderPosition()
    If player.GetVideoWidth() > width Then width = player.GetVideoWidth()
End Sub

Sub Player_OnFinish()
    finishes = finishes + 1
End Sub

Set player = Host.PlaceControl("Corvane.CorvaneCtrl.1", "Player_")
' Let the control paint once before the first load: it gives its video window the size of its
' first paint (a form shows its controls before its load code runs, so it has this already).
Host.Wait 200
player.LoadMediaFile CreateObject("Scripting.FileSystemObject").GetAbsolutePathName("av.avi"), 0, True
Check "duration", player.GetDuration() > 0, player.GetDuration() & " s, " & player.GetDurationHHMMSS()
player.XAspectRatio = True
player.SetAudioVolume 50
Check "volume", player.GetAudioVolume() = 50, player.GetAudioVolume()
player.Play

' Events arrive while the host lets messages run.
waited = 0
Do While finishes = 0 And waited < 1000 * player.GetDuration() + 5000
    Host.Wait 100
    waited = waited + 100
Loop
Check "OnPlaying while playing", ticks > 5, ticks & " events"
Check "the slider moved", furthest > 0, "up to " & furthest & " of " & player.GetSliderMax()
Check "video width while playing", width > 0, width
Check "OnFinish once at the end", finishes = 1, finishes & " events"
' Stopped at the end: the position answers are empty again, the duration stays.
Check "position once finished", player.GetPosition() = 0, player.GetPosition()
Check "duration once finished", player.GetDuration() > 0, player.GetDuration()
Host.Echo "DONE fails=" & fails
