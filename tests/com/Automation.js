// Reads the inventory late-bound, as any automation client would, and prints "name=value" lines.
// cscript reports no script failure by itself: every error ends the script with exit code 2.
try {
    var list = new ActiveXObject('Tallivor.ProgramList');
    var lines = [];
    list.UpdateProgramList();
    var count = list.ItemCount;
    lines.push('ItemCount=' + count);
    if (count > 0)
        lines.push('Item0.DisplayName=' + list.ProgramItem(0).DisplayName);
    for (var i = 0; i < count; i++) {
        var item = list.ProgramItem(i);
        if (item.RegistryName.indexOf('VarnookComTest') == 0)
            lines.push(item.RegistryName + '.DisplayName=' + item.DisplayName);
    }
    list.UpdateScrList();
    for (var s = 0; s < list.ScrItemCount; s++) {
        if (list.ScrName(s).toLowerCase() == 'varnookcomtest.scr') {
            lines.push('Scr.Index=' + s);
            lines.push('Scr.Size=' + list.ScrSize(s));
            lines.push('Scr.LastAccessTime=' + list.ScrLastAccessTime(s));
        }
    }
    WScript.Echo(lines.join('\n'));
    WScript.Quit(0);
} catch (e) {
    WScript.Echo('error=' + (e.number >>> 0).toString(16) + ' ' + e.message);
    WScript.Quit(2);
}
