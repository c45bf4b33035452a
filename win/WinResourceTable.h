/* Layout of a resource module's tables: written by korvu_rescomp, read by the host through
   LoadLibraryW. Plain C so that the generated source and any reader agree on one definition.
   Change anything here and bump KORVU_RES_VERSION, so that an older module is refused. */
#pragma once

#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#define KORVU_RES_MAGIC 0x4B525331u /* "KRS1" */
#define KORVU_RES_VERSION 1u
#define KORVU_RES_ENTRY "KorvuResGetTable"

/* Texts are UTF-16 with an explicit length; they are also NUL-terminated. */

typedef struct KorvuResString {
    uint32_t id;
    uint32_t length;
    const char16_t* text;
} KorvuResString;

/* Menu item flags. */
#define KORVU_RES_MENU_POPUP 0x0001u
#define KORVU_RES_MENU_SEPARATOR 0x0002u
#define KORVU_RES_MENU_GRAYED 0x0004u
#define KORVU_RES_MENU_CHECKED 0x0008u
#define KORVU_RES_MENU_DEFAULT 0x0010u

/* A menu's items in one array: items[0, topCount) are the top level; a popup's children are
   items[firstChild, firstChild + childCount), always after the popup itself. */
typedef struct KorvuResMenuItem {
    uint32_t id; /* command id; 0 for popups and separators */
    uint32_t flags;
    uint32_t firstChild;
    uint32_t childCount;
    uint32_t textLength;
    const char16_t* text;
} KorvuResMenuItem;

typedef struct KorvuResMenu {
    uint32_t id;
    uint32_t topCount;
    uint32_t itemCount;
    const KorvuResMenuItem* items;
} KorvuResMenu;

/* Control kinds. */
enum {
    KORVU_RES_BUTTON = 1,
    KORVU_RES_CHECK = 2,
    KORVU_RES_RADIO = 3,
    KORVU_RES_EDIT = 4,
    KORVU_RES_STATIC = 5,
    KORVU_RES_GROUPBOX = 6,
    KORVU_RES_COMBO = 7,
    KORVU_RES_LIST = 8,
    KORVU_RES_GRID = 9,
    KORVU_RES_CUSTOM = 10,
};

/* Control style flags. */
#define KORVU_RES_CTL_TABSTOP 0x00000001u
#define KORVU_RES_CTL_GROUP 0x00000002u
#define KORVU_RES_CTL_DISABLED 0x00000004u
#define KORVU_RES_CTL_HIDDEN 0x00000008u
#define KORVU_RES_CTL_DEFAULT 0x00000010u /* the default push button */
#define KORVU_RES_CTL_READONLY 0x00000020u
#define KORVU_RES_CTL_MULTILINE 0x00000040u
#define KORVU_RES_CTL_NUMBER 0x00000080u /* edit accepts digits only */
#define KORVU_RES_CTL_PASSWORD 0x00000100u
#define KORVU_RES_CTL_AUTOHSCROLL 0x00000200u
#define KORVU_RES_CTL_VSCROLL 0x00000400u
#define KORVU_RES_CTL_HSCROLL 0x00000800u
#define KORVU_RES_CTL_BORDER 0x00001000u
#define KORVU_RES_CTL_LEFT 0x00002000u
#define KORVU_RES_CTL_CENTER 0x00004000u
#define KORVU_RES_CTL_RIGHT 0x00008000u
#define KORVU_RES_CTL_DROPDOWN 0x00010000u     /* combo with an editable field */
#define KORVU_RES_CTL_DROPDOWNLIST 0x00020000u /* combo that only picks */
#define KORVU_RES_CTL_SORT 0x00040000u
#define KORVU_RES_CTL_AUTO 0x00080000u /* check or radio that toggles itself */
#define KORVU_RES_CTL_3STATE 0x00100000u
#define KORVU_RES_CTL_MULTISELECT 0x00200000u
#define KORVU_RES_CTL_WANTRETURN 0x00400000u

typedef struct KorvuResControl {
    uint32_t kind;
    uint32_t id; /* 0xFFFFFFFF for a control that is never addressed */
    uint32_t style;
    int32_t x, y, width, height; /* dialog units */
    uint32_t textLength;
    const char16_t* text;
    uint32_t classLength; /* window class of a custom control, else 0 */
    const char16_t* className;
} KorvuResControl;

/* Dialog style flags. */
#define KORVU_RES_DLG_CHILD 0x0001u
#define KORVU_RES_DLG_SYSMENU 0x0002u
#define KORVU_RES_DLG_RESIZABLE 0x0004u
#define KORVU_RES_DLG_CENTER 0x0008u
#define KORVU_RES_DLG_TOOL 0x0010u

typedef struct KorvuResDialog {
    uint32_t id;
    uint32_t style;
    int32_t width, height; /* dialog units */
    uint32_t captionLength;
    const char16_t* caption;
    uint32_t controlCount;
    const KorvuResControl* controls;
} KorvuResDialog;

/* Pixels are 0xAARRGGBB, row by row from the top. */
typedef struct KorvuResBitmap {
    uint32_t id;
    uint32_t width;
    uint32_t height;
    const uint32_t* pixels;
} KorvuResBitmap;

/* Every array is sorted by id, ids strictly ascending. */
typedef struct KorvuResTable {
    uint32_t magic;   /* KORVU_RES_MAGIC */
    uint32_t version; /* KORVU_RES_VERSION */
    uint32_t size;    /* sizeof(KorvuResTable) */
    uint32_t stringCount;
    const KorvuResString* strings;
    uint32_t menuCount;
    const KorvuResMenu* menus;
    uint32_t dialogCount;
    const KorvuResDialog* dialogs;
    uint32_t bitmapCount;
    const KorvuResBitmap* bitmaps;
} KorvuResTable;

typedef const KorvuResTable* (*KorvuResGetTableFn)(void);
