// The theme vocabulary tables: the property ids and value types, enumeration
// values, and the part and state names of the visual-styles schema. The INI
// vocabulary spells the boolean primitive (203) "BOOL".
#include "skin/theme_vocabulary.h"

namespace {

const char16_t* const kClassNames[kThemeClassCount + 1] = {
    nullptr,     u"Globals",    u"Documentation", u"SysMetrics", u"ListBox",    u"Dialog",
    u"WINDOW",   u"BUTTON",     u"REBAR",         u"TOOLBAR",    u"STATUS",     u"MENU",
    u"LISTVIEW", u"HEADER",     u"PROGRESS",      u"TAB",        u"TRACKBAR",   u"TOOLTIP",
    u"TREEVIEW", u"SPIN",       u"PAGE",          u"SCROLLBAR",  u"EDIT",       u"COMBOBOX",
    u"CLOCK",    u"TRAYNOTIFY", u"TASKBAR",       u"TASKBAND",   u"STARTPANEL", u"EXPLORERBAR",
    u"MENUBAND",
};

const ThemePropertyInfo kProperties[] = {
    {u"STRING", 201, kThemeString},
    {u"INT", 202, kThemeInt},
    {u"BOOL", 203, kThemeBool},
    {u"COLOR", 204, kThemeColor},
    {u"MARGINS", 205, kThemeMargins},
    {u"FILENAME", 206, kThemeString},
    {u"SIZE", 207, kThemeInt},
    {u"POSITION", 208, kThemePosition},
    {u"RECT", 209, kThemeMargins},
    {u"FONT", 210, kThemeFont},
    {u"INTLIST", 211, kThemeIntList},
    {u"COLORSCHEMES", 401, kThemeString},
    {u"SIZES", 402, kThemeString},
    {u"CHARSET", 403, kThemeInt},
    {u"DISPLAYNAME", 601, kThemeString},
    {u"TOOLTIP", 602, kThemeString},
    {u"COMPANY", 603, kThemeString},
    {u"AUTHOR", 604, kThemeString},
    {u"COPYRIGHT", 605, kThemeString},
    {u"URL", 606, kThemeString},
    {u"VERSION", 607, kThemeString},
    {u"DESCRIPTION", 608, kThemeString},
    {u"CAPTIONFONT", 801, kThemeFont},
    {u"SMALLCAPTIONFONT", 802, kThemeFont},
    {u"MENUFONT", 803, kThemeFont},
    {u"STATUSFONT", 804, kThemeFont},
    {u"MSGBOXFONT", 805, kThemeFont},
    {u"ICONTITLEFONT", 806, kThemeFont},
    {u"FLATMENUS", 1001, kThemeBool},
    {u"SIZINGBORDERWIDTH", 1201, kThemeInt},
    {u"SCROLLBARWIDTH", 1202, kThemeInt},
    {u"SCROLLBARHEIGHT", 1203, kThemeInt},
    {u"CAPTIONBARWIDTH", 1204, kThemeInt},
    {u"CAPTIONBARHEIGHT", 1205, kThemeInt},
    {u"SMCAPTIONBARWIDTH", 1206, kThemeInt},
    {u"SMCAPTIONBARHEIGHT", 1207, kThemeInt},
    {u"MENUBARWIDTH", 1208, kThemeInt},
    {u"MENUBARHEIGHT", 1209, kThemeInt},
    {u"MINCOLORDEPTH", 1301, kThemeInt},
    {u"CSSNAME", 1401, kThemeString},
    {u"XMLNAME", 1402, kThemeString},
    {u"SCROLLBAR", 1601, kThemeColor},
    {u"BACKGROUND", 1602, kThemeColor},
    {u"ACTIVECAPTION", 1603, kThemeColor},
    {u"INACTIVECAPTION", 1604, kThemeColor},
    {u"MENU", 1605, kThemeColor},
    {u"WINDOW", 1606, kThemeColor},
    {u"WINDOWFRAME", 1607, kThemeColor},
    {u"MENUTEXT", 1608, kThemeColor},
    {u"WINDOWTEXT", 1609, kThemeColor},
    {u"CAPTIONTEXT", 1610, kThemeColor},
    {u"ACTIVEBORDER", 1611, kThemeColor},
    {u"INACTIVEBORDER", 1612, kThemeColor},
    {u"APPWORKSPACE", 1613, kThemeColor},
    {u"HIGHLIGHT", 1614, kThemeColor},
    {u"HIGHLIGHTTEXT", 1615, kThemeColor},
    {u"BTNFACE", 1616, kThemeColor},
    {u"BTNSHADOW", 1617, kThemeColor},
    {u"GRAYTEXT", 1618, kThemeColor},
    {u"BTNTEXT", 1619, kThemeColor},
    {u"INACTIVECAPTIONTEXT", 1620, kThemeColor},
    {u"BTNHIGHLIGHT", 1621, kThemeColor},
    {u"DKSHADOW3D", 1622, kThemeColor},
    {u"LIGHT3D", 1623, kThemeColor},
    {u"INFOTEXT", 1624, kThemeColor},
    {u"INFOBK", 1625, kThemeColor},
    {u"BUTTONALTERNATEFACE", 1626, kThemeColor},
    {u"HOTTRACKING", 1627, kThemeColor},
    {u"GRADIENTACTIVECAPTION", 1628, kThemeColor},
    {u"GRADIENTINACTIVECAPTION", 1629, kThemeColor},
    {u"MENUHILIGHT", 1630, kThemeColor},
    {u"MENUBAR", 1631, kThemeColor},
    {u"FROMHUE1", 1801, kThemeInt},
    {u"FROMHUE2", 1802, kThemeInt},
    {u"FROMHUE3", 1803, kThemeInt},
    {u"FROMHUE4", 1804, kThemeInt},
    {u"FROMHUE5", 1805, kThemeInt},
    {u"TOHUE1", 1806, kThemeInt},
    {u"TOHUE2", 1807, kThemeInt},
    {u"TOHUE3", 1808, kThemeInt},
    {u"TOHUE4", 1809, kThemeInt},
    {u"TOHUE5", 1810, kThemeInt},
    {u"FROMCOLOR1", 2001, kThemeColor},
    {u"FROMCOLOR2", 2002, kThemeColor},
    {u"FROMCOLOR3", 2003, kThemeColor},
    {u"FROMCOLOR4", 2004, kThemeColor},
    {u"FROMCOLOR5", 2005, kThemeColor},
    {u"TOCOLOR1", 2006, kThemeColor},
    {u"TOCOLOR2", 2007, kThemeColor},
    {u"TOCOLOR3", 2008, kThemeColor},
    {u"TOCOLOR4", 2009, kThemeColor},
    {u"TOCOLOR5", 2010, kThemeColor},
    {u"TRANSPARENT", 2201, kThemeBool},
    {u"AUTOSIZE", 2202, kThemeBool},
    {u"BORDERONLY", 2203, kThemeBool},
    {u"COMPOSITED", 2204, kThemeBool},
    {u"BGFILL", 2205, kThemeBool},
    {u"GLYPHTRANSPARENT", 2206, kThemeBool},
    {u"GLYPHONLY", 2207, kThemeBool},
    {u"ALWAYSSHOWSIZINGBAR", 2208, kThemeBool},
    {u"MIRRORIMAGE", 2209, kThemeBool},
    {u"UNIFORMSIZING", 2210, kThemeBool},
    {u"INTEGRALSIZING", 2211, kThemeBool},
    {u"SOURCEGROW", 2212, kThemeBool},
    {u"SOURCESHRINK", 2213, kThemeBool},
    {u"IMAGECOUNT", 2401, kThemeInt},
    {u"ALPHALEVEL", 2402, kThemeInt},
    {u"BORDERSIZE", 2403, kThemeInt},
    {u"ROUNDCORNERWIDTH", 2404, kThemeInt},
    {u"ROUNDCORNERHEIGHT", 2405, kThemeInt},
    {u"GRADIENTRATIO1", 2406, kThemeInt},
    {u"GRADIENTRATIO2", 2407, kThemeInt},
    {u"GRADIENTRATIO3", 2408, kThemeInt},
    {u"GRADIENTRATIO4", 2409, kThemeInt},
    {u"GRADIENTRATIO5", 2410, kThemeInt},
    {u"PROGRESSCHUNKSIZE", 2411, kThemeInt},
    {u"PROGRESSSPACESIZE", 2412, kThemeInt},
    {u"SATURATION", 2413, kThemeInt},
    {u"TEXTBORDERSIZE", 2414, kThemeInt},
    {u"ALPHATHRESHOLD", 2415, kThemeInt},
    {u"WIDTH", 2416, kThemeInt},
    {u"HEIGHT", 2417, kThemeInt},
    {u"GLYPHINDEX", 2418, kThemeInt},
    {u"TRUESIZESTRETCHMARK", 2419, kThemeInt},
    {u"MINDPI1", 2420, kThemeInt},
    {u"MINDPI2", 2421, kThemeInt},
    {u"MINDPI3", 2422, kThemeInt},
    {u"MINDPI4", 2423, kThemeInt},
    {u"MINDPI5", 2424, kThemeInt},
    {u"GLYPHFONT", 2601, kThemeFont},
    {u"IMAGEFILE", 3001, kThemeString},
    {u"IMAGEFILE1", 3002, kThemeString},
    {u"IMAGEFILE2", 3003, kThemeString},
    {u"IMAGEFILE3", 3004, kThemeString},
    {u"IMAGEFILE4", 3005, kThemeString},
    {u"IMAGEFILE5", 3006, kThemeString},
    {u"STOCKIMAGEFILE", 3007, kThemeString},
    {u"GLYPHIMAGEFILE", 3008, kThemeString},
    {u"TEXT", 3201, kThemeString},
    {u"OFFSET", 3401, kThemePosition},
    {u"TEXTSHADOWOFFSET", 3402, kThemePosition},
    {u"MINSIZE", 3403, kThemePosition},
    {u"MINSIZE1", 3404, kThemePosition},
    {u"MINSIZE2", 3405, kThemePosition},
    {u"MINSIZE3", 3406, kThemePosition},
    {u"MINSIZE4", 3407, kThemePosition},
    {u"MINSIZE5", 3408, kThemePosition},
    {u"NORMALSIZE", 3409, kThemePosition},
    {u"SIZINGMARGINS", 3601, kThemeMargins},
    {u"CONTENTMARGINS", 3602, kThemeMargins},
    {u"CAPTIONMARGINS", 3603, kThemeMargins},
    {u"BORDERCOLOR", 3801, kThemeColor},
    {u"FILLCOLOR", 3802, kThemeColor},
    {u"TEXTCOLOR", 3803, kThemeColor},
    {u"EDGELIGHTCOLOR", 3804, kThemeColor},
    {u"EDGEHIGHLIGHTCOLOR", 3805, kThemeColor},
    {u"EDGESHADOWCOLOR", 3806, kThemeColor},
    {u"EDGEDKSHADOWCOLOR", 3807, kThemeColor},
    {u"EDGEFILLCOLOR", 3808, kThemeColor},
    {u"TRANSPARENTCOLOR", 3809, kThemeColor},
    {u"GRADIENTCOLOR1", 3810, kThemeColor},
    {u"GRADIENTCOLOR2", 3811, kThemeColor},
    {u"GRADIENTCOLOR3", 3812, kThemeColor},
    {u"GRADIENTCOLOR4", 3813, kThemeColor},
    {u"GRADIENTCOLOR5", 3814, kThemeColor},
    {u"SHADOWCOLOR", 3815, kThemeColor},
    {u"GLOWCOLOR", 3816, kThemeColor},
    {u"TEXTBORDERCOLOR", 3817, kThemeColor},
    {u"TEXTSHADOWCOLOR", 3818, kThemeColor},
    {u"GLYPHTEXTCOLOR", 3819, kThemeColor},
    {u"GLYPHTRANSPARENTCOLOR", 3820, kThemeColor},
    {u"FILLCOLORHINT", 3821, kThemeColor},
    {u"BORDERCOLORHINT", 3822, kThemeColor},
    {u"ACCENTCOLORHINT", 3823, kThemeColor},
    {u"BGTYPE", 4001, kThemeEnum},
    {u"BORDERTYPE", 4002, kThemeEnum},
    {u"FILLTYPE", 4003, kThemeEnum},
    {u"SIZINGTYPE", 4004, kThemeEnum},
    {u"HALIGN", 4005, kThemeEnum},
    {u"CONTENTALIGNMENT", 4006, kThemeEnum},
    {u"VALIGN", 4007, kThemeEnum},
    {u"OFFSETTYPE", 4008, kThemeEnum},
    {u"ICONEFFECT", 4009, kThemeEnum},
    {u"TEXTSHADOWTYPE", 4010, kThemeEnum},
    {u"IMAGELAYOUT", 4011, kThemeEnum},
    {u"GLYPHTYPE", 4012, kThemeEnum},
    {u"IMAGESELECTTYPE", 4013, kThemeEnum},
    {u"GLYPHFONTSIZINGTYPE", 4014, kThemeEnum},
    {u"TRUESIZESCALINGTYPE", 4015, kThemeEnum},
    {u"USERPICTURE", 5001, kThemeBool},
    {u"DEFAULTPANESIZE", 5002, kThemeMargins},
    {u"BLENDCOLOR", 5003, kThemeColor},
};

// Enumerations, in property id order from 4001.
const ThemeName kBgtypeValues[] = {{u"IMAGEFILE", 0}, {u"BORDERFILL", 1}, {u"NONE", 2}};
const ThemeName kBordertypeValues[] = {{u"RECT", 0}, {u"ROUNDRECT", 1}, {u"ELLIPSE", 2}};
const ThemeName kFilltypeValues[] = {{u"SOLID", 0},
                                     {u"VERTGRADIENT", 1},
                                     {u"HORZGRADIENT", 2},
                                     {u"RADIALGRADIENT", 3},
                                     {u"TILEIMAGE", 4}};
const ThemeName kSizingtypeValues[] = {{u"TRUESIZE", 0}, {u"STRETCH", 1}, {u"TILE", 2}};
const ThemeName kHalignValues[] = {{u"LEFT", 0}, {u"CENTER", 1}, {u"RIGHT", 2}};
const ThemeName kContentalignmentValues[] = {{u"LEFT", 0}, {u"CENTER", 1}, {u"RIGHT", 2}};
const ThemeName kValignValues[] = {{u"TOP", 0}, {u"CENTER", 1}, {u"BOTTOM", 2}};
const ThemeName kOffsettypeValues[] = {
    {u"TOPLEFT", 0},          {u"TOPRIGHT", 1},          {u"TOPMIDDLE", 2},
    {u"BOTTOMLEFT", 3},       {u"BOTTOMRIGHT", 4},       {u"BOTTOMMIDDLE", 5},
    {u"MIDDLELEFT", 6},       {u"MIDDLERIGHT", 7},       {u"LEFTOFCAPTION", 8},
    {u"RIGHTOFCAPTION", 9},   {u"LEFTOFLASTBUTTON", 10}, {u"RIGHTOFLASTBUTTON", 11},
    {u"ABOVELASTBUTTON", 12}, {u"BELOWLASTBUTTON", 13}};
const ThemeName kIconeffectValues[] = {
    {u"NONE", 0}, {u"GLOW", 1}, {u"SHADOW", 2}, {u"PULSE", 3}, {u"ALPHA", 4}};
const ThemeName kTextshadowtypeValues[] = {{u"NONE", 0}, {u"SINGLE", 1}, {u"CONTINUOUS", 2}};
const ThemeName kImagelayoutValues[] = {{u"VERTICAL", 0}, {u"HORIZONTAL", 1}};
const ThemeName kGlyphtypeValues[] = {{u"NONE", 0}, {u"IMAGEGLYPH", 1}, {u"FONTGLYPH", 2}};
const ThemeName kImageselecttypeValues[] = {{u"NONE", 0}, {u"SIZE", 1}, {u"DPI", 2}};
const ThemeName kGlyphfontsizingtypeValues[] = {{u"NONE", 0}, {u"SIZE", 1}, {u"DPI", 2}};
const ThemeName kTruesizescalingtypeValues[] = {{u"NONE", 0}, {u"SIZE", 1}, {u"DPI", 2}};

#define THEME_TABLE(owner, entries) \
  { owner, entries, sizeof(entries) / sizeof(entries[0]) }

const ThemeNameTable kEnumTables[] = {
    THEME_TABLE(u"BGTYPE", kBgtypeValues),
    THEME_TABLE(u"BORDERTYPE", kBordertypeValues),
    THEME_TABLE(u"FILLTYPE", kFilltypeValues),
    THEME_TABLE(u"SIZINGTYPE", kSizingtypeValues),
    THEME_TABLE(u"HALIGN", kHalignValues),
    THEME_TABLE(u"CONTENTALIGNMENT", kContentalignmentValues),
    THEME_TABLE(u"VALIGN", kValignValues),
    THEME_TABLE(u"OFFSETTYPE", kOffsettypeValues),
    THEME_TABLE(u"ICONEFFECT", kIconeffectValues),
    THEME_TABLE(u"TEXTSHADOWTYPE", kTextshadowtypeValues),
    THEME_TABLE(u"IMAGELAYOUT", kImagelayoutValues),
    THEME_TABLE(u"GLYPHTYPE", kGlyphtypeValues),
    THEME_TABLE(u"IMAGESELECTTYPE", kImageselecttypeValues),
    THEME_TABLE(u"GLYPHFONTSIZINGTYPE", kGlyphfontsizingtypeValues),
    THEME_TABLE(u"TRUESIZESCALINGTYPE", kTruesizescalingtypeValues),
};

// Parts of each class.
const ThemeName kWindowParts[] = {{u"CAPTION", 1},
                                  {u"SMALLCAPTION", 2},
                                  {u"MINCAPTION", 3},
                                  {u"SMALLMINCAPTION", 4},
                                  {u"MAXCAPTION", 5},
                                  {u"SMALLMAXCAPTION", 6},
                                  {u"FRAMELEFT", 7},
                                  {u"FRAMERIGHT", 8},
                                  {u"FRAMEBOTTOM", 9},
                                  {u"SMALLFRAMELEFT", 10},
                                  {u"SMALLFRAMERIGHT", 11},
                                  {u"SMALLFRAMEBOTTOM", 12},
                                  {u"SYSBUTTON", 13},
                                  {u"MDISYSBUTTON", 14},
                                  {u"MINBUTTON", 15},
                                  {u"MDIMINBUTTON", 16},
                                  {u"MAXBUTTON", 17},
                                  {u"CLOSEBUTTON", 18},
                                  {u"SMALLCLOSEBUTTON", 19},
                                  {u"MDICLOSEBUTTON", 20},
                                  {u"RESTOREBUTTON", 21},
                                  {u"MDIRESTOREBUTTON", 22},
                                  {u"HELPBUTTON", 23},
                                  {u"MDIHELPBUTTON", 24},
                                  {u"HORZSCROLL", 25},
                                  {u"HORZTHUMB", 26},
                                  {u"VERTSCROLL", 27},
                                  {u"VERTTHUMB", 28},
                                  {u"DIALOG", 29},
                                  {u"CAPTIONSIZINGTEMPLATE", 30},
                                  {u"SMALLCAPTIONSIZINGTEMPLATE", 31},
                                  {u"FRAMELEFTSIZINGTEMPLATE", 32},
                                  {u"SMALLFRAMELEFTSIZINGTEMPLATE", 33},
                                  {u"FRAMERIGHTSIZINGTEMPLATE", 34},
                                  {u"SMALLFRAMERIGHTSIZINGTEMPLATE", 35},
                                  {u"FRAMEBOTTOMSIZINGTEMPLATE", 36},
                                  {u"SMALLFRAMEBOTTOMSIZINGTEMPLATE", 37}};
const ThemeName kButtonParts[] = {{u"PUSHBUTTON", 1},
                                  {u"RADIOBUTTON", 2},
                                  {u"CHECKBOX", 3},
                                  {u"GROUPBOX", 4},
                                  {u"USERBUTTON", 5}};
const ThemeName kRebarParts[] = {
    {u"GRIPPER", 1}, {u"GRIPPERVERT", 2}, {u"BAND", 3}, {u"CHEVRON", 4}, {u"CHEVRONVERT", 5}};
const ThemeName kToolbarParts[] = {{u"BUTTON", 1},      {u"DROPDOWNBUTTON", 2},
                                   {u"SPLITBUTTON", 3}, {u"SPLITBUTTONDROPDOWN", 4},
                                   {u"SEPARATOR", 5},   {u"SEPARATORVERT", 6}};
const ThemeName kStatusParts[] = {{u"PANE", 1}, {u"GRIPPERPANE", 2}, {u"GRIPPER", 3}};
const ThemeName kMenuParts[] = {{u"MENUITEM", 1},        {u"MENUDROPDOWN", 2}, {u"MENUBARITEM", 3},
                                {u"MENUBARDROPDOWN", 4}, {u"CHEVRON", 5},      {u"SEPARATOR", 6}};
const ThemeName kListviewParts[] = {{u"LISTITEM", 1},
                                    {u"LISTGROUP", 2},
                                    {u"LISTDETAIL", 3},
                                    {u"LISTSORTEDDETAIL", 4},
                                    {u"EMPTYTEXT", 5}};
const ThemeName kHeaderParts[] = {
    {u"HEADERITEM", 1}, {u"HEADERITEMLEFT", 2}, {u"HEADERITEMRIGHT", 3}, {u"HEADERSORTARROW", 4}};
const ThemeName kProgressParts[] = {{u"BAR", 1}, {u"BARVERT", 2}, {u"CHUNK", 3}, {u"CHUNKVERT", 4}};
const ThemeName kTabParts[] = {{u"TABITEM", 1},
                               {u"TABITEMLEFTEDGE", 2},
                               {u"TABITEMRIGHTEDGE", 3},
                               {u"TABITEMBOTHEDGE", 4},
                               {u"TOPTABITEM", 5},
                               {u"TOPTABITEMLEFTEDGE", 6},
                               {u"TOPTABITEMRIGHTEDGE", 7},
                               {u"TOPTABITEMBOTHEDGE", 8},
                               {u"PANE", 9},
                               {u"BODY", 10}};
const ThemeName kTrackbarParts[] = {{u"TRACK", 1},       {u"TRACKVERT", 2},  {u"THUMB", 3},
                                    {u"THUMBBOTTOM", 4}, {u"THUMBTOP", 5},   {u"THUMBVERT", 6},
                                    {u"THUMBLEFT", 7},   {u"THUMBRIGHT", 8}, {u"TICS", 9},
                                    {u"TICSVERT", 10}};
const ThemeName kTooltipParts[] = {
    {u"STANDARD", 1}, {u"STANDARDTITLE", 2}, {u"BALLOON", 3}, {u"BALLOONTITLE", 4}, {u"CLOSE", 5}};
const ThemeName kTreeviewParts[] = {{u"TREEITEM", 1}, {u"GLYPH", 2}, {u"BRANCH", 3}};
const ThemeName kSpinParts[] = {{u"UP", 1}, {u"DOWN", 2}, {u"UPHORZ", 3}, {u"DOWNHORZ", 4}};
const ThemeName kPageParts[] = {{u"UP", 1}, {u"DOWN", 2}, {u"UPHORZ", 3}, {u"DOWNHORZ", 4}};
const ThemeName kScrollbarParts[] = {
    {u"ARROWBTN", 1},       {u"THUMBBTNHORZ", 2},   {u"THUMBBTNVERT", 3},   {u"LOWERTRACKHORZ", 4},
    {u"UPPERTRACKHORZ", 5}, {u"LOWERTRACKVERT", 6}, {u"UPPERTRACKVERT", 7}, {u"GRIPPERHORZ", 8},
    {u"GRIPPERVERT", 9},    {u"SIZEBOX", 10}};
const ThemeName kEditParts[] = {{u"EDITTEXT", 1}, {u"CARET", 2}};
const ThemeName kComboboxParts[] = {{u"DROPDOWNBUTTON", 1}};
const ThemeName kClockParts[] = {{u"TIME", 1}};
const ThemeName kTraynotifyParts[] = {{u"BACKGROUND", 1}, {u"ANIMBACKGROUND", 2}};
const ThemeName kTaskbarParts[] = {{u"BACKGROUNDBOTTOM", 1}, {u"BACKGROUNDRIGHT", 2},
                                   {u"BACKGROUNDTOP", 3},    {u"BACKGROUNDLEFT", 4},
                                   {u"SIZINGBARBOTTOM", 5},  {u"SIZINGBARRIGHT", 6},
                                   {u"SIZINGBARTOP", 7},     {u"SIZINGBARLEFT", 8}};
const ThemeName kTaskbandParts[] = {
    {u"GROUPCOUNT", 1}, {u"FLASHBUTTON", 2}, {u"FLASHBUTTONGROUPMENU", 3}};
const ThemeName kStartpanelParts[] = {{u"USERPANE", 1},
                                      {u"MOREPROGRAMS", 2},
                                      {u"MOREPROGRAMSARROW", 3},
                                      {u"PROGLIST", 4},
                                      {u"PROGLISTSEPARATOR", 5},
                                      {u"PLACESLIST", 6},
                                      {u"PLACESLISTSEPARATOR", 7},
                                      {u"LOGOFF", 8},
                                      {u"LOGOFFBUTTONS", 9},
                                      {u"USERPICTURE", 10},
                                      {u"PREVIEW", 11}};
const ThemeName kExplorerbarParts[] = {{u"HEADERBACKGROUND", 1},
                                       {u"HEADERCLOSE", 2},
                                       {u"HEADERPIN", 3},
                                       {u"IEBARMENU", 4},
                                       {u"NORMALGROUPBACKGROUND", 5},
                                       {u"NORMALGROUPCOLLAPSE", 6},
                                       {u"NORMALGROUPEXPAND", 7},
                                       {u"NORMALGROUPHEAD", 8},
                                       {u"SPECIALGROUPBACKGROUND", 9},
                                       {u"SPECIALGROUPCOLLAPSE", 10},
                                       {u"SPECIALGROUPEXPAND", 11},
                                       {u"SPECIALGROUPHEAD", 12}};
const ThemeName kMenubandParts[] = {{u"NEWAPPBUTTON", 1}, {u"SEPERATOR", 2}};

const ThemeNameTable kPartTables[] = {
    THEME_TABLE(u"WINDOW", kWindowParts),
    THEME_TABLE(u"BUTTON", kButtonParts),
    THEME_TABLE(u"REBAR", kRebarParts),
    THEME_TABLE(u"TOOLBAR", kToolbarParts),
    THEME_TABLE(u"STATUS", kStatusParts),
    THEME_TABLE(u"MENU", kMenuParts),
    THEME_TABLE(u"LISTVIEW", kListviewParts),
    THEME_TABLE(u"HEADER", kHeaderParts),
    THEME_TABLE(u"PROGRESS", kProgressParts),
    THEME_TABLE(u"TAB", kTabParts),
    THEME_TABLE(u"TRACKBAR", kTrackbarParts),
    THEME_TABLE(u"TOOLTIP", kTooltipParts),
    THEME_TABLE(u"TREEVIEW", kTreeviewParts),
    THEME_TABLE(u"SPIN", kSpinParts),
    THEME_TABLE(u"PAGE", kPageParts),
    THEME_TABLE(u"SCROLLBAR", kScrollbarParts),
    THEME_TABLE(u"EDIT", kEditParts),
    THEME_TABLE(u"COMBOBOX", kComboboxParts),
    THEME_TABLE(u"CLOCK", kClockParts),
    THEME_TABLE(u"TRAYNOTIFY", kTraynotifyParts),
    THEME_TABLE(u"TASKBAR", kTaskbarParts),
    THEME_TABLE(u"TASKBAND", kTaskbandParts),
    THEME_TABLE(u"STARTPANEL", kStartpanelParts),
    THEME_TABLE(u"EXPLORERBAR", kExplorerbarParts),
    THEME_TABLE(u"MENUBAND", kMenubandParts),
};

// States of each part (or of a class whose states do not depend on the part).
const ThemeName kFrameStates[] = {{u"ACTIVE", 1}, {u"INACTIVE", 2}};
const ThemeName kCaptionStates[] = {{u"ACTIVE", 1}, {u"INACTIVE", 2}, {u"DISABLED", 3}};
const ThemeName kMaxcaptionStates[] = {{u"ACTIVE", 1}, {u"INACTIVE", 2}, {u"DISABLED", 3}};
const ThemeName kMincaptionStates[] = {{u"ACTIVE", 1}, {u"INACTIVE", 2}, {u"DISABLED", 3}};
const ThemeName kHorzscrollStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PUSHED", 3}, {u"DISABLED", 4}};
const ThemeName kHorzthumbStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PUSHED", 3}, {u"DISABLED", 4}};
const ThemeName kVertscrollStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PUSHED", 3}, {u"DISABLED", 4}};
const ThemeName kVertthumbStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PUSHED", 3}, {u"DISABLED", 4}};
const ThemeName kSysbuttonStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PUSHED", 3}, {u"DISABLED", 4}};
const ThemeName kMinbuttonStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PUSHED", 3}, {u"DISABLED", 4}};
const ThemeName kMaxbuttonStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PUSHED", 3}, {u"DISABLED", 4}};
const ThemeName kRestorebuttonStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PUSHED", 3}, {u"DISABLED", 4}};
const ThemeName kHelpbuttonStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PUSHED", 3}, {u"DISABLED", 4}};
const ThemeName kClosebuttonStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PUSHED", 3}, {u"DISABLED", 4}};
const ThemeName kPushbuttonStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"DISABLED", 4}, {u"DEFAULTED", 5}};
const ThemeName kRadiobuttonStates[] = {{u"UNCHECKEDNORMAL", 1},  {u"UNCHECKEDHOT", 2},
                                        {u"UNCHECKEDPRESSED", 3}, {u"UNCHECKEDDISABLED", 4},
                                        {u"CHECKEDNORMAL", 5},    {u"CHECKEDHOT", 6},
                                        {u"CHECKEDPRESSED", 7},   {u"CHECKEDDISABLED", 8}};
const ThemeName kCheckboxStates[] = {
    {u"UNCHECKEDNORMAL", 1},   {u"UNCHECKEDHOT", 2},    {u"UNCHECKEDPRESSED", 3},
    {u"UNCHECKEDDISABLED", 4}, {u"CHECKEDNORMAL", 5},   {u"CHECKEDHOT", 6},
    {u"CHECKEDPRESSED", 7},    {u"CHECKEDDISABLED", 8}, {u"MIXEDNORMAL", 9},
    {u"MIXEDHOT", 10},         {u"MIXEDPRESSED", 11},   {u"MIXEDDISABLED", 12}};
const ThemeName kGroupboxStates[] = {{u"NORMAL", 1}, {u"DISABLED", 2}};
const ThemeName kChevronStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kToolbarStates[] = {{u"NORMAL", 1},   {u"HOT", 2},     {u"PRESSED", 3},
                                    {u"DISABLED", 4}, {u"CHECKED", 5}, {u"HOTCHECKED", 6}};
const ThemeName kMenuStates[] = {{u"NORMAL", 1}, {u"SELECTED", 2}, {u"DEMOTED", 3}};
const ThemeName kListitemStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"SELECTED", 3}, {u"DISABLED", 4}, {u"SELECTEDNOTFOCUS", 5}};
const ThemeName kHeaderitemStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kHeaderitemleftStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kHeaderitemrightStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kHeadersortarrowStates[] = {{u"SORTEDUP", 1}, {u"SORTEDDOWN", 2}};
const ThemeName kTabitemStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"SELECTED", 3}, {u"DISABLED", 4}, {u"FOCUSED", 5}};
const ThemeName kTabitemleftedgeStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"SELECTED", 3}, {u"DISABLED", 4}, {u"FOCUSED", 5}};
const ThemeName kTabitemrightedgeStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"SELECTED", 3}, {u"DISABLED", 4}, {u"FOCUSED", 5}};
const ThemeName kTabitembothedgesStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"SELECTED", 3}, {u"DISABLED", 4}, {u"FOCUSED", 5}};
const ThemeName kToptabitemStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"SELECTED", 3}, {u"DISABLED", 4}, {u"FOCUSED", 5}};
const ThemeName kToptabitemleftedgeStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"SELECTED", 3}, {u"DISABLED", 4}, {u"FOCUSED", 5}};
const ThemeName kToptabitemrightedgeStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"SELECTED", 3}, {u"DISABLED", 4}, {u"FOCUSED", 5}};
const ThemeName kToptabitembothedgesStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"SELECTED", 3}, {u"DISABLED", 4}, {u"FOCUSED", 5}};
const ThemeName kTrackbarStates[] = {{u"NORMAL", 1}};
const ThemeName kTrackStates[] = {{u"NORMAL", 1}};
const ThemeName kTrackvertStates[] = {{u"NORMAL", 1}};
const ThemeName kThumbStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"FOCUSED", 4}, {u"DISABLED", 5}};
const ThemeName kThumbbottomStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"FOCUSED", 4}, {u"DISABLED", 5}};
const ThemeName kThumbtopStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"FOCUSED", 4}, {u"DISABLED", 5}};
const ThemeName kThumbvertStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"FOCUSED", 4}, {u"DISABLED", 5}};
const ThemeName kThumbleftStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"FOCUSED", 4}, {u"DISABLED", 5}};
const ThemeName kThumbrightStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"FOCUSED", 4}, {u"DISABLED", 5}};
const ThemeName kTicsStates[] = {{u"NORMAL", 1}};
const ThemeName kTicsvertStates[] = {{u"NORMAL", 1}};
const ThemeName kCloseStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kStandardStates[] = {{u"NORMAL", 1}, {u"LINK", 2}};
const ThemeName kBalloonStates[] = {{u"NORMAL", 1}, {u"LINK", 2}};
const ThemeName kTreeitemStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"SELECTED", 3}, {u"DISABLED", 4}, {u"SELECTEDNOTFOCUS", 5}};
const ThemeName kGlyphStates[] = {{u"CLOSED", 1}, {u"OPENED", 2}};
const ThemeName kUpStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"DISABLED", 4}};
const ThemeName kDownStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"DISABLED", 4}};
const ThemeName kUphorzStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"DISABLED", 4}};
const ThemeName kDownhorzStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"DISABLED", 4}};
const ThemeName kArrowbtnStates[] = {
    {u"UPNORMAL", 1},     {u"UPHOT", 2},     {u"UPPRESSED", 3},     {u"UPDISABLED", 4},
    {u"DOWNNORMAL", 5},   {u"DOWNHOT", 6},   {u"DOWNPRESSED", 7},   {u"DOWNDISABLED", 8},
    {u"LEFTNORMAL", 9},   {u"LEFTHOT", 10},  {u"LEFTPRESSED", 11},  {u"LEFTDISABLED", 12},
    {u"RIGHTNORMAL", 13}, {u"RIGHTHOT", 14}, {u"RIGHTPRESSED", 15}, {u"RIGHTDISABLED", 16}};
const ThemeName kScrollbarStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"DISABLED", 4}};
const ThemeName kSizeboxStates[] = {{u"RIGHTALIGN", 1}, {u"LEFTALIGN", 2}};
const ThemeName kEdittextStates[] = {{u"NORMAL", 1},   {u"HOT", 2},     {u"SELECTED", 3},
                                     {u"DISABLED", 4}, {u"FOCUSED", 5}, {u"READONLY", 6},
                                     {u"ASSIST", 7}};
const ThemeName kComboboxStates[] = {
    {u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}, {u"DISABLED", 4}};
const ThemeName kClockStates[] = {{u"NORMAL", 1}};
const ThemeName kMoreprogramsarrowStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kLogoffbuttonsStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kHeadercloseStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kHeaderpinStates[] = {{u"NORMAL", 1},      {u"HOT", 2},
                                      {u"PRESSED", 3},     {u"SELECTEDNORMAL", 4},
                                      {u"SELECTEDHOT", 5}, {u"SELECTEDPRESSED", 6}};
const ThemeName kIebarmenuStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kNormalgroupcollapseStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kNormalgroupexpandStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kSpecialgroupcollapseStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kSpecialgroupexpandStates[] = {{u"NORMAL", 1}, {u"HOT", 2}, {u"PRESSED", 3}};
const ThemeName kMenubandStates[] = {{u"NORMAL", 1},   {u"HOT", 2},     {u"PRESSED", 3},
                                     {u"DISABLED", 4}, {u"CHECKED", 5}, {u"HOTCHECKED", 6}};

const ThemeNameTable kStateTables[] = {
    THEME_TABLE(u"FRAME", kFrameStates),
    THEME_TABLE(u"CAPTION", kCaptionStates),
    THEME_TABLE(u"MAXCAPTION", kMaxcaptionStates),
    THEME_TABLE(u"MINCAPTION", kMincaptionStates),
    THEME_TABLE(u"HORZSCROLL", kHorzscrollStates),
    THEME_TABLE(u"HORZTHUMB", kHorzthumbStates),
    THEME_TABLE(u"VERTSCROLL", kVertscrollStates),
    THEME_TABLE(u"VERTTHUMB", kVertthumbStates),
    THEME_TABLE(u"SYSBUTTON", kSysbuttonStates),
    THEME_TABLE(u"MINBUTTON", kMinbuttonStates),
    THEME_TABLE(u"MAXBUTTON", kMaxbuttonStates),
    THEME_TABLE(u"RESTOREBUTTON", kRestorebuttonStates),
    THEME_TABLE(u"HELPBUTTON", kHelpbuttonStates),
    THEME_TABLE(u"CLOSEBUTTON", kClosebuttonStates),
    THEME_TABLE(u"PUSHBUTTON", kPushbuttonStates),
    THEME_TABLE(u"RADIOBUTTON", kRadiobuttonStates),
    THEME_TABLE(u"CHECKBOX", kCheckboxStates),
    THEME_TABLE(u"GROUPBOX", kGroupboxStates),
    THEME_TABLE(u"CHEVRON", kChevronStates),
    THEME_TABLE(u"TOOLBAR", kToolbarStates),
    THEME_TABLE(u"MENU", kMenuStates),
    THEME_TABLE(u"LISTITEM", kListitemStates),
    THEME_TABLE(u"HEADERITEM", kHeaderitemStates),
    THEME_TABLE(u"HEADERITEMLEFT", kHeaderitemleftStates),
    THEME_TABLE(u"HEADERITEMRIGHT", kHeaderitemrightStates),
    THEME_TABLE(u"HEADERSORTARROW", kHeadersortarrowStates),
    THEME_TABLE(u"TABITEM", kTabitemStates),
    THEME_TABLE(u"TABITEMLEFTEDGE", kTabitemleftedgeStates),
    THEME_TABLE(u"TABITEMRIGHTEDGE", kTabitemrightedgeStates),
    THEME_TABLE(u"TABITEMBOTHEDGES", kTabitembothedgesStates),
    THEME_TABLE(u"TOPTABITEM", kToptabitemStates),
    THEME_TABLE(u"TOPTABITEMLEFTEDGE", kToptabitemleftedgeStates),
    THEME_TABLE(u"TOPTABITEMRIGHTEDGE", kToptabitemrightedgeStates),
    THEME_TABLE(u"TOPTABITEMBOTHEDGES", kToptabitembothedgesStates),
    THEME_TABLE(u"TRACKBAR", kTrackbarStates),
    THEME_TABLE(u"TRACK", kTrackStates),
    THEME_TABLE(u"TRACKVERT", kTrackvertStates),
    THEME_TABLE(u"THUMB", kThumbStates),
    THEME_TABLE(u"THUMBBOTTOM", kThumbbottomStates),
    THEME_TABLE(u"THUMBTOP", kThumbtopStates),
    THEME_TABLE(u"THUMBVERT", kThumbvertStates),
    THEME_TABLE(u"THUMBLEFT", kThumbleftStates),
    THEME_TABLE(u"THUMBRIGHT", kThumbrightStates),
    THEME_TABLE(u"TICS", kTicsStates),
    THEME_TABLE(u"TICSVERT", kTicsvertStates),
    THEME_TABLE(u"CLOSE", kCloseStates),
    THEME_TABLE(u"STANDARD", kStandardStates),
    THEME_TABLE(u"BALLOON", kBalloonStates),
    THEME_TABLE(u"TREEITEM", kTreeitemStates),
    THEME_TABLE(u"GLYPH", kGlyphStates),
    THEME_TABLE(u"UP", kUpStates),
    THEME_TABLE(u"DOWN", kDownStates),
    THEME_TABLE(u"UPHORZ", kUphorzStates),
    THEME_TABLE(u"DOWNHORZ", kDownhorzStates),
    THEME_TABLE(u"ARROWBTN", kArrowbtnStates),
    THEME_TABLE(u"SCROLLBAR", kScrollbarStates),
    THEME_TABLE(u"SIZEBOX", kSizeboxStates),
    THEME_TABLE(u"EDITTEXT", kEdittextStates),
    THEME_TABLE(u"COMBOBOX", kComboboxStates),
    THEME_TABLE(u"CLOCK", kClockStates),
    THEME_TABLE(u"MOREPROGRAMSARROW", kMoreprogramsarrowStates),
    THEME_TABLE(u"LOGOFFBUTTONS", kLogoffbuttonsStates),
    THEME_TABLE(u"HEADERCLOSE", kHeadercloseStates),
    THEME_TABLE(u"HEADERPIN", kHeaderpinStates),
    THEME_TABLE(u"IEBARMENU", kIebarmenuStates),
    THEME_TABLE(u"NORMALGROUPCOLLAPSE", kNormalgroupcollapseStates),
    THEME_TABLE(u"NORMALGROUPEXPAND", kNormalgroupexpandStates),
    THEME_TABLE(u"SPECIALGROUPCOLLAPSE", kSpecialgroupcollapseStates),
    THEME_TABLE(u"SPECIALGROUPEXPAND", kSpecialgroupexpandStates),
    THEME_TABLE(u"MENUBAND", kMenubandStates),
};

#undef THEME_TABLE

}  // namespace

template <typename T, size_t N>
ThemeTableView<T> View(const T (&table)[N]) {
  return {table, N};
}

const char16_t* ThemeClassName(int code) {
  return code >= 1 && code <= kThemeClassCount ? kClassNames[code] : nullptr;
}

ThemeTableView<ThemePropertyInfo> ThemePropertyTable() {
  return View(kProperties);
}
ThemeTableView<ThemeNameTable> ThemePartTables() {
  return View(kPartTables);
}
ThemeTableView<ThemeNameTable> ThemeStateTables() {
  return View(kStateTables);
}
ThemeTableView<ThemeNameTable> ThemeEnumTables() {
  return View(kEnumTables);
}
