// Resource and command identifiers of KestrelTarget. Automation scripts and
// the event-log tests address controls and commands by these numbers, so
// they never change once published.
#pragma once

// Controls that are never addressed.
#ifndef IDC_STATIC
#define IDC_STATIC           (-1)
#endif

// Icons, menus, accelerators, bitmaps.
#define IDR_MAINFRAME        128
#define IDR_CHILDFRAME       129
#define IDB_GRAPHIC1         154
#define IDR_TOOLBAR          161
#define IDC_CURSOR_PAW       170
#define IDC_CURSOR_EYE       171
#define IDC_CURSOR_NOSE      172

// Dialog templates.
#define IDD_ABOUTBOX         100
#define IDD_TREEVIEW         131
#define IDD_RADIO            133
#define IDD_COMBOBOX         136
#define IDD_LISTBOX          137
#define IDD_PAGELIST         139
#define IDD_BUTTON           140
#define IDD_SCROLLBAR        143
#define IDD_DRAWING          144
#define IDD_KEYBOARD         145
#define IDD_STATUSBAR        146
#define IDD_CURSOR           147
#define IDD_LISTVIEW         151
#define IDD_STATIC           152
#define IDD_CHECKBOX         153
#define IDD_EDIT             155
#define IDD_DRAGDROP         156
#define IDD_TEXTFIELD        157
// The dialog of things an application does later: a button enabled after
// a delay, a label updated on a timer, selections that tell the dialog.
#define IDD_LAZY             158
#define IDC_LAZY_LATER       3001
#define IDC_LAZY_NEVER       3002
#define IDC_LAZY_TICKS       3003
#define IDC_LAZY_COMBO       3004
#define IDC_LAZY_APPLY       3005
#define IDC_LAZY_LIST        3006
#define IDC_LAZY_PICKED      3007

// About box.
#define IDC_ABOUT_VERSION    1060
#define IDC_ABOUT_LEGAL      1061
#define IDC_ABOUT_COMPANY    1062

// Button dialog.
#define IDC_BUTTON1          3
#define IDC_DEFAULTBUTTON    4
#define IDC_GRAPHICBUTTON    5
#define IDC_BUTTON_STATUS    1051

// Check box dialog.
#define IDC_CHECKBOX         2774
#define IDC_ENABLEDCHECKBOX  2775
#define IDC_ENABLE           2776

// Radio dialog.
#define IDC_RADIO_GROUP      1004
#define IDC_RADIO1           1005
#define IDC_RADIO2           1006
#define IDC_RADIO3           1007

// Combo box dialog.
#define IDC_COMBO_EDIT       1013
#define IDC_COMBO_INSERT     1010
#define IDC_COMBO_DELETE     1011
#define IDC_COMBO_EXPAND     1012
#define IDC_COMBO_CLEAR      1014
#define IDC_COMBO            2124

// List box dialog.
#define IDC_LISTBOX          1016
#define IDC_LISTBOX_EDIT     1015
#define IDC_LISTBOX_INSERT   1017
#define IDC_LISTBOX_DELETE   1019
#define IDC_LISTBOX_CLEAR    1020

// List view dialog.
#define IDC_LISTVIEW         1034
#define IDC_LISTVIEW_EDIT    1033
#define IDC_LISTVIEW_ADDITEM 1035
#define IDC_LISTVIEW_ADDCOL  1036
#define IDC_LISTVIEW_DELETE  1038

// Page list dialog.
#define IDC_PAGELIST_TAB     1021
#define IDC_PAGELIST_EDIT    1018
#define IDC_PAGELIST_INSERT  1022
#define IDC_PAGELIST_DELETE  1023

// Tree view dialog.
#define IDC_TREE             1001
#define IDC_TREE_EDIT        1002
#define IDC_TREE_INSERT      1003
#define IDC_TREE_DELETE      1008
#define IDC_TREE_CLEAR       1009

// Scroll bar dialog.
#define IDC_HSCROLL          1045
#define IDC_VSCROLL          1046
#define IDC_SCROLL_MAX       1039
#define IDC_SCROLL_MIN       1040
#define IDC_SCROLL_INC       1041
#define IDC_SCROLL_PAGE      1042
#define IDC_SCROLL_HPOS      1043
#define IDC_SCROLL_VPOS      1044
#define IDC_SCROLL_SET       1048

// Static dialog.
#define IDC_STATIC_NONEDIT   1024
#define IDC_STATIC_DISABLED  1025
#define IDC_STATIC_TABSTOP   1049
#define IDC_STATIC_EDIT      1037
#define IDC_STATIC_SETTEXT   1052

// Edit dialog.
#define IDC_EDIT_LONG        1042
#define IDC_EDIT_SHORT       1043
#define IDC_EDIT_MULTI       1044
#define IDC_EDIT_RESET       1053

// Drawing dialog.
#define IDC_DRAW_SURFACE     1054
#define IDC_DRAW_RED         1026
#define IDC_DRAW_GREEN       1027
#define IDC_DRAW_BLUE        1028
#define IDC_DRAW_X           1029
#define IDC_DRAW_Y           1030
#define IDC_DRAW_TEXT        1031
#define IDC_DRAW_SIZE        1032
#define IDC_DRAW_SETPEN      1055
#define IDC_DRAW_RESET       1056
#define IDC_DRAW_SETTEXT     1057

// Keyboard dialog.
#define IDC_KEY_LIST         1058
#define IDC_KEY_RESET        1059
#define IDC_KEY_NOTE         1063

// Cursor dialog: one box per cursor, in this order.
#define IDC_CURSOR_BOX_PAW    2624
#define IDC_CURSOR_BOX_EYE    2625
#define IDC_CURSOR_BOX_NOSE   2626
#define IDC_CURSOR_BOX_ARROW  2627
#define IDC_CURSOR_BOX_INSERT 2628
#define IDC_CURSOR_BOX_CROSS  2629

// Status bar dialog.
#define IDC_STATUSBAR_EDIT   1050

// Drag and drop dialog.
#define IDC_DRAGDROP_SURFACE 1064

// Text field dialog.
#define IDC_FIELD1           2874
#define IDC_FIELD2           2875
#define IDC_RESET_FIELD1     2876
#define IDC_RESET_FIELD2     2877
#define IDC_SELECTED_TEXT    1047

// Menu commands: message-box echo mask.
#define ID_ECHO_ALLON        32786
#define ID_ECHO_CONTROLS     32787
#define ID_ECHO_MOVESIZE     32788
#define ID_ECHO_MENUS        32789
#define ID_ECHO_MISC         32790
#define ID_ECHO_ALLOFF       32791
#define ID_ECHO_MOUSE        32792

// Menu commands: event log.
#define ID_LOG_ON            32818
#define ID_LOG_OFF           32819

// Menu commands: Controls dialogs.
#define ID_CONTROLS_TREEVIEW    32771
#define ID_CONTROLS_LISTBOX     32772
#define ID_CONTROLS_DRAWING     32774
#define ID_CONTROLS_KEYBOARD    32775
#define ID_CONTROLS_LISTVIEW    32776
#define ID_CONTROLS_CHECKBOX    32778
#define ID_CONTROLS_RADIO       32779
#define ID_CONTROLS_CURSORS     32780
#define ID_CONTROLS_COMBOBOX    32781
#define ID_CONTROLS_PAGELIST    32782
#define ID_CONTROLS_TEXTFIELD   32784
#define ID_CONTROLS_PUSHBUTTON  32793
#define ID_CONTROLS_SCROLLBARS  32800
#define ID_CONTROLS_STATUSBAR   32801
#define ID_CONTROLS_STATICTEXT  32804
#define ID_CONTROLS_EDITBOX     32815
#define ID_CONTROLS_DRAGDROP    32816

// Menu commands: Menus menu.
#define ID_MENUS_MENUITEM       32794
#define ID_MENUS_ACCEL          32795
#define ID_MENUS_CASCADE_ITEM1  32796
#define ID_MENUS_CASCADE_ITEM2  32797
#define ID_MENUS_CASCADE2_ITEM1 32798
#define ID_MENUS_CASCADE2_ITEM2 32799
#define ID_MENUS_MENUITEM1      32807
#define ID_MENUS_MENUITEM2      32808
#define ID_MENUS_MENUITEM3      32809
#define ID_MENUS_MENUITEM8      32814
#define ID_MENUS_DISABLED       32820
#define ID_MENUS_CHECKED        32821
#define ID_MENUS_GRAPHIC1       2024

// Windows, tool bar, help, standard commands.
#define ID_WINDOW_CHILD      32806
#define ID_WINDOW_LAZY       32830
// Checked only when the Menus menu opens (WM_INITMENUPOPUP).
#define ID_MENUS_LAZYCHECK   32831
#define ID_TOOLBAR_A         32822
#define ID_TOOLBAR_C         32824
#define ID_APP_ABOUT         57664
#define ID_APP_EXIT          57665
#define ID_FILE_NEW          57600
#define ID_FILE_OPEN         57601
#define ID_FILE_SAVE         57603
#define ID_EDIT_COPY         57634
#define ID_EDIT_CUT          57635
#define ID_EDIT_PASTE        57637
#define ID_EDIT_UNDO         57643
#define ID_NEXT_PANE         57680
#define ID_PREV_PANE         57681

// First id the MDI client gives to the child windows it lists in "Windows".
#define ID_FIRST_MDICHILD    0xFF00
