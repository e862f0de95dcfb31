// Reading the server's machines into the list view.
#pragma once

// Reads table "tPcBaseInfo" of DatabasePath into Machines and the list view,
// then shows the total. Appends; the database is closed again on return.
// "打开数据库失败" when the file or the table cannot be opened or the table
// lacks one of the machine's fields; "读取数据库失败，列表不完整" after the
// rows read so far when a record cannot be read.
void LoadMachines();
// Empties Machines, the list view, SelectedRows and both count captions,
// then runs LoadMachines on the current DatabasePath.
void ReloadMachines();
