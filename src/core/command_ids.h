/* The program's commands: one identity each, shared by the menu and
   accelerator resources (this file is included by the .rc, so it holds
   #defines only), the toolbar's position table and the pop-up menu. Each
   arrives as WM_COMMAND with this ID, whatever delivered it. */
#pragma once

/* "ファイル(&F)" */
#define IDM_REFRESH 100
#define IDM_EXIT 101

/* "単独ウィンドウ(&O)": the selected row's window; also the list's pop-up menu */
#define IDM_RESTORE 200
#define IDM_MOVE 201
#define IDM_SIZE 202
#define IDM_MINIMIZE 203
#define IDM_MAXIMIZE 204
#define IDM_BRING_TO_FRONT 205
#define IDM_MAKE_TOPMOST 206
#define IDM_HIDE 207
#define IDM_SHOW 208
#define IDM_CLOSE 209
#define IDM_INTO_VIEW 210

/* "複数ウィンドウ(&S)": every target window */
#define IDM_TARGET_VISIBLE 300
#define IDM_TARGET_ALL 301
#define IDM_ALL_RESTORE 310
#define IDM_ALL_MINIMIZE 311
#define IDM_ALL_MAXIMIZE 312
#define IDM_ALL_HIDE 313
#define IDM_ALL_SHOW 314
#define IDM_ALL_CLOSE 315
#define IDM_ALL_INTO_VIEW 316
#define IDM_SAVE_LAYOUT 317
#define IDM_RESTORE_LAYOUT 318

/* "設定(&S)" and "ヘルプ(&H)" */
#define IDM_SETTINGS 400
#define IDM_HELP 500
#define IDM_ABOUT 501

/* Resource IDs */
#define IDR_MAIN_MENU 1
#define IDR_ACCELERATORS 1
#define IDI_PROGRAM 1
