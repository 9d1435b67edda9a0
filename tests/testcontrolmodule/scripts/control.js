// The registered test control from JScript: events counted, members by name, coercion, errors.
var pings = 0, pingSum = 0, fails = 0;
var c = Host.CreateControl("Corvane.FrameworkTestControl.1", "ctl_");

check("sum", c.Add("1", 2), 3);
c.Add(4, 5);
check("pings", pings, 2);
check("ping sum", pingSum, 12);
check("speed default", c.XSpeed, 7);
c.XSpeed = "12";
check("speed", c.XSpeed, 12);
check("describe", c.Describe("abc", true), "ABC");

check("unknown name", errorOf(function () { c.NoSuchMember(1); }), "800a01b6");
check("parameter count", errorOf(function () { c.Add(1); }), "8002000e");  // DISP_E_BADPARAMCOUNT
check("type mismatch", errorOf(function () { c.XSpeed = "fast"; }), "80020005");  // DISP_E_TYPEMISMATCH
check("speed kept", c.XSpeed, 12);
Host.Echo("DONE fails=" + fails);

function ctl_Ping(value) {
    pings++;
    pingSum += value;
}
