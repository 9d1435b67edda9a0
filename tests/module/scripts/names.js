// Names outside the system code page through the placed control: CJK, accented and a character
// beyond the BMP (a surrogate pair) in a folder's name and in the files'. A name that lost one
// of them on its way to the platform would name no file.
var fails = 0, finished = 0;
var c = Host.PlaceControl("Corvane.CorvaneCtrl.1", "ctl_");
var fso = new ActiveXObject("Scripting.FileSystemObject");
var cjk = String.fromCharCode(0x7247, 0x6BB5), accented = "caf" + String.fromCharCode(0xE9);
var emoji = String.fromCharCode(0xD83D, 0xDE00);
var folder = fso.GetAbsolutePathName("names-" + cjk + "-" + accented + "-" + emoji);
fso.CreateFolder(folder);

var names = [cjk, accented, emoji];
for (var i = 0; i < names.length; i++) {
    var clip = folder + "\\clip-" + names[i] + ".avi";
    fso.CopyFile(fso.GetAbsolutePathName("av.avi"), clip);
    finished = 0;
    c.LoadMediaFile(clip, 0, true);
    check("duration of clip " + i, c.GetDuration() > 1.5, true);
    c.Play();
    for (var waited = 0; finished === 0 && waited < 20000; waited += 100)
        Host.Wait(100);
    check("clip " + i + " finished", finished, 1);
}

var picture = folder + "\\picture-" + cjk + "-" + emoji + ".bmp";
fso.CopyFile(fso.GetAbsolutePathName("quadrants.bmp"), picture);
// Taken as text by the dispatch layer; what the loader reads from it is checked on the fake
// platform (the platform's mixer here shows no overlay).
check("picture", errorOf(function () { c.SetOverlayBitmap(picture, 0, 0, 160, 120, 100); }), "none");
Host.Echo("DONE fails=" + fails);

function ctl_OnFinish() { finished++; }
