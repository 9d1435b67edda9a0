
// Appended to each JScript file by the runner; `fails` comes from the script.
function check(what, got, expected) {
    if (got !== expected) {
        fails++;
        Host.Echo("FAIL", what, got, expected);
    }
}

// The error a failing call raised, as unsigned hex: DISP_E codes arrive as they were returned.
function errorOf(call) {
    try {
        call();
    } catch (e) {
        return (e.number >>> 0).toString(16);
    }
    return "none";
}
