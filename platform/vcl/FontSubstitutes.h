#pragma once
// Windows font names that the screens ask for, mapped to fonts of this system. A family
// the system lacks is looked up in its substitutes, in order, so "ＭＳ ゴシック" (the
// Japanese monospace font of Windows) comes out as the Japanese monospace font installed
// here (Noto Sans Mono CJK JP from fonts-noto-cjk, or another Japanese gothic font).

// Adds the substitutes once; later calls do nothing. Needs the GUI application object.
void RegisterFontSubstitutes();
