// Prints "DisplayName|Publisher|Version|InstallDir" for each program the inventory server lists, reaching it
// only through the registered ProgID. cscript reports no script failure by itself: exit 1 says it.
try {
    var list = new ActiveXObject("Tallivor.ProgramList");
    list.UpdateProgramList();
    for (var i = 0; i < list.ItemCount; i++) {
        var item = list.ProgramItem(i);
        WScript.Echo(item.DisplayName + "|" + item.Publisher + "|" + item.Version + "|" + item.InstallDir);
    }
    WScript.Quit(0);
} catch (e) {
    WScript.Echo("error: " + e.message);
    WScript.Quit(1);
}
