// Corvane from JScript: the same checks as sample.vbs. Created without a form (no window), so
// it loads and plays nothing; in a page or form, LoadMediaFile and Play show the video.
var fails = 0;

function say(text) {
    if (typeof WScript != "undefined") WScript.Echo(text); else Host.Echo(text);
}

function check(what, got, expected) {
    if (got !== expected) {
        fails++;
        say("FAIL " + what + ": " + got + " (" + typeof got + "), expected " + expected);
    } else {
        say("ok   " + what + " = " + got);
    }
}

// Runs `call` and checks that the automation layer refused it. Script engines report the
// refusal either as a script error (0x800A0000 + number) or as the DISP_E code itself.
function checkError(what, call, scriptError, dispatchError) {
    var code = "none";
    try {
        call();
    } catch (e) {
        code = (e.number >>> 0).toString(16);
    }
    var accepted = [(0x800A0000 + scriptError).toString(16), (dispatchError >>> 0).toString(16)];
    if (code != accepted[0] && code != accepted[1]) {
        fails++;
        say("FAIL " + what + ": error " + code + ", expected " + accepted.join(" or "));
    } else {
        say("ok   " + what + " raises error " + code);
    }
}

var player = new ActiveXObject("Corvane.CorvaneCtrl.1");

check("XLoop", player.XLoop, false);
check("XEffectSpeed", player.XEffectSpeed, 125);
player.XEffectSpeed = 300;
player.XMute = true;
check("XEffectSpeed after put", player.XEffectSpeed, 300);
check("XMute after put", player.XMute, true);

check("GetSliderMax", player.GetSliderMax(), 1000);
check("GetDuration", player.GetDuration(), 0);
check("GetDurationHHMMSS", player.GetDurationHHMMSS(), "");
check("GetPositionHHMMSS", player.GetPositionHHMMSS(), "");
check("GetSliderPosition", player.GetSliderPosition(), 0);
check("GetVideoHeight", player.GetVideoHeight(), 0);
check("GetAudioVolume", player.GetAudioVolume(), 0);
player.Play();
player.Pause();
player.SetText("Hello", 10, 10);
player.SlideEffect();
player.SlideEffect();
player.Stop();

checkError("an unknown name", function () { player.NoSuchMethod(); }, 438, 0x80020006);
checkError("a missing argument", function () { player.SetLayerAlpha(1); }, 450, 0x8002000E);
checkError("a value that is not a number", function () { player.XEffectSpeed = "fast"; }, 13, 0x80020005);

say("DONE fails=" + fails);
