/* Identifiers of moritelda's resources. Only #define lines, so that both
   the C++ sources and the resource scripts can include this file. */

#ifndef MORITELDA_RESOURCE_IDS_H
#define MORITELDA_RESOURCE_IDS_H

/* String table */
#define TEXT_WINDOW_NAME        101  /* window name, mutex name, tray tip */
#define TEXT_WINDOW_LIMIT       104  /* too many windows; the program ends */
#define TEXT_SETUP_TITLE        105  /* title of the settings window */
#define TEXT_TASKBAR_TOO_LOW    106  /* taskbar not tall enough for the switcher */
#define TEXT_NO_START_BUTTON    107  /* Start button not found */
#define TEXT_TAB_TASKS          109  /* tab: task information */
#define TEXT_TAB_SETTINGS       110  /* tab: display and start-up settings */
#define TEXT_SELECT_ROW         112  /* no row selected */
#define TEXT_COLUMN_TASK        113  /* task list column header */
#define TEXT_TASK_PAGE_HINT     116  /* check marks take effect only when applied */
#define TEXT_APPLY              117  /* apply button */
#define TEXT_REFETCH            118  /* fetch the task information again */
#define TEXT_MOVE_TOP           119  /* move to the very top */
#define TEXT_MOVE_UP            120  /* move up */
#define TEXT_MOVE_DOWN          121  /* move down */
#define TEXT_MOVE_BOTTOM        122  /* move to the very bottom */
#define TEXT_TAB_ABOUT          123  /* tab: about */
#define TEXT_QUIT               125  /* quit button */
#define TEXT_ABOUT              126  /* name, version and maker */
#define TEXT_DISPLAY_TYPE_LABEL 128  /* label of the display type list */
#define TEXT_STARTUP_LABEL      129  /* label of the start-up list */
#define TEXT_STARTUP_ALL_USERS  130  /* autostart for all users */
#define TEXT_STARTUP_THIS_USER  131  /* autostart for this user */
#define TEXT_STARTUP_NONE       132  /* no autostart */
#define TEXT_TYPE_UNDER_START   133  /* display type 1 */
#define TEXT_TYPE_LAYERED       134  /* display type 2 */
#define TEXT_TYPE_TRAY          135  /* display type 3 */
#define TEXT_DESC_UNDER_START   136  /* description of display type 1 */
#define TEXT_DESC_LAYERED       137  /* description of display type 2 */
#define TEXT_DESC_TRAY          138  /* description of display type 3 */
#define TEXT_FIRST_RUN          139  /* first run: please make the settings */
#define TEXT_CHANGES_APPLIED    140  /* the changes have been applied */
#define TEXT_SWITCH_REFUSED     141  /* no switching while the settings window is shown */
#define TEXT_TYPE_START_PLACE   142  /* display type 4 */
#define TEXT_DESC_START_PLACE   143  /* description of display type 4 */
#define TEXT_ALREADY_RUNNING    144  /* a second copy was started */
#define TEXT_TAB_HOTKEYS        146  /* tab: hotkeys */
#define TEXT_HOTKEY_CHANGE      148  /* row label: desktop switching */
#define TEXT_HOTKEY_NEXT        149  /* row label: next desktop */
#define TEXT_HOTKEY_PREV        150  /* row label: previous desktop */
#define TEXT_HOTKEY_HINT        151  /* instructions of the hotkey page */
#define TEXT_WITH_WIN_KEY       152  /* check box: combined with the Windows key */
#define TEXT_HOTKEY_EXPLANATION 153  /* how to use the Windows key */
#define TEXT_TYPE_START_STAR    154  /* display type 5 */
#define TEXT_DESC_START_STAR    155  /* description of display type 5 */
#define TEXT_TAB_ASSIGNMENT     159  /* tab: automatic assignment */
#define TEXT_RULE_LIST_LABEL    160  /* label of the rule list */
#define TEXT_CURRENT_TASKS      161  /* label of the current tasks */
#define TEXT_IGNORE             162  /* ignore */
#define TEXT_PARTICLE_GA        163  /* particle between field and pattern */
#define TEXT_COPY_TITLE         164  /* copy the title */
#define TEXT_COPY_CLASS         165  /* copy the class name */
#define TEXT_SHOW_ON            167  /* shown on (desktops) */
#define TEXT_ADD_RULE           168  /* add this rule */
#define TEXT_DELETE             169  /* delete */
#define TEXT_KIND_TITLE         170  /* field: title */
#define TEXT_KIND_CLASS         171  /* field: class */
#define TEXT_MODE_CONTAINS      172  /* match: contains */
#define TEXT_MODE_EQUALS        173  /* match: equals */
#define TEXT_NOT_SHOWN          174  /* shown on no desktop */

/* Icons. The program icon has the lowest identifier of all icon groups, so
   the shell shows it for the program file. */
#define ICON_PROGRAM            143  /* grey sheet with a green arrow */
#define ICON_DESKTOP1           148  /* tray icon while desktop 1 is current */
#define ICON_DESKTOP2           149
#define ICON_DESKTOP3           150
#define ICON_DESKTOP4           151

/* Popup menu of the tray icon; its only drop-down menu is the one shown. */
#define MENU_TRAY               146
#define CMD_TRAY_DESKTOP4       40007
#define CMD_TRAY_DESKTOP3       40008
#define CMD_TRAY_DESKTOP2       40009
#define CMD_TRAY_DESKTOP1       40010
#define CMD_TRAY_SETTINGS       40006
#define CMD_TRAY_QUIT           40012

/* Application manifest (resource type 24, identifier 1). */
#define MANIFEST_ID             1
#define MANIFEST_TYPE           24

/* The bitmaps are named by text, not by number:
   "BMP_SKIN1_1" to "BMP_SKIN1_4", "BMP_SKIN5_1" to "BMP_SKIN5_4",
   "BMP_CHECKED" and "BMP_UNCHECK". */

#endif
