// TarrowNetwork's localized message box: one kind, an error with caption 140 ("Error") of the
// program's own string table.
#pragma once

// Shows message stringId with OK and the stop icon in the user-interface language (English when
// there is no table for it); returns the button pressed (OK 1).
int ShowMessageBox(unsigned stringId);
