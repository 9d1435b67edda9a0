// Corvane placed in a container window from JScript: coercion and refusals, mouse events, and a
// clip played to its end with OnPlaying and OnFinish bound by name.
var fails = 0, playing = 0, finished = 0, downs = 0, ups = 0, clicks = 0;
var c = Host.PlaceControl("Corvane.CorvaneCtrl.1", "ctl_");

check("coerced", errorOf(function () { c.SetLayerAlpha("1", "50"); }), "none");
check("third argument", errorOf(function () { c.SetLayerAlpha(1, 50, 3); }), "8002000e");  // DISP_E_BADPARAMCOUNT
check("not a number", errorOf(function () { c.SetLayerAlpha("one", 50); }), "80020005");  // DISP_E_TYPEMISMATCH
check("unknown name", errorOf(function () { c.NoSuchMember(); }), "800a01b6");
check("mute default", c.XMute, false);
c.XMute = 1;
check("mute", c.XMute, true);

Host.Click(30, 40);
check("mouse down", downs, 1);
check("mouse up", ups, 1);
check("click", clicks, 1);

c.LoadMediaFile(new ActiveXObject("Scripting.FileSystemObject").GetAbsolutePathName("av.avi"), 0, true);
c.Play();
// Wine's renderer knows the native size once the graph runs.
Host.Wait(500);
check("width", c.GetVideoWidth(), 320);
for (var waited = 0; finished === 0 && waited < 20000; waited += 100)
    Host.Wait(100);
check("finished", finished, 1);
check("playing ticks", playing >= 10, true);
Host.Echo("DONE fails=" + fails);

function ctl_OnPlaying() { playing++; }
function ctl_OnFinish() { finished++; }
function ctl_MouseDown(button, shift, x, y) { downs++; check("down at", button + " " + x + " " + y, "1 30 40"); }
function ctl_MouseUp(button, shift, x, y) { ups++; }
function ctl_Click() { clicks++; }
