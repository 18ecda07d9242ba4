#pragma once
// Where the menu finds the local copies of the help pages.

#include <QString>

// The local help page of help button tag 1..3 on disk: the program folder followed by
// HelpFiles[tag], its names matched without regard to letter case.
QString LocalHelpPage(int tag);
// The help page an address shows: 2 or 3 when its path ends with "/help/flow.html" or
// "/help/info.html" (letter case ignored), else 1 (the guide).
int HelpPageOf(const QString& address);
// The help site's page (HelpSitePage) of the same name when address is a local copy: a
// file: address or an absolute path of one of the three pages in the program's own help
// folder (letter case ignored). Any other address is returned as it is.
QString SitePageOfLocalCopy(const QString& address);
