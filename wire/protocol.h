/* The wire format that the server and its clients share: the frame window
 * a client looks for, the WM_COPYDATA tags, the request slots, the reply
 * strings and the size limits. Plain C, for the client header.
 *
 * A request and a reply are drop lists: a DROPFILES header of
 * JXR_DROPLIST_HEADER_SIZE bytes, then NUL-terminated strings and a final
 * NUL. A request holds JXR_SLOT_COUNT strings, the slots. Texts inside
 * slots are numbers (read as scanf's "%i"; the flags as "%lu") or counted
 * lists: a count line, then items, lines separated by a line feed; the
 * single form of a counted list is "1", a line feed and the text, or "0"
 * for none.
 */
#pragma once

/* The class of the server's frame window; its title is the command line
 * the client started the server with. */
#define JXR_FRAME_CLASS "JxrWin32Frame"

/* WM_COPYDATA tags (dwData): a request ("JXRQ"), with the client's window
 * as wParam; a reply ("JXRP"), with the frame window as wParam. A Unicode
 * request ("JXRU") has the same slots with texts in UTF-8; its reply, under
 * the same reply tag, is a wide drop list (fWide set) of the same strings,
 * the true names in UTF-16. The reply to a request of the first tag is an
 * ANSI list, whose paths all open: a name that the ANSI code page cannot
 * write comes as its short (8.3) form, and the dialog refuses one without
 * such a form. */
#define JXR_COPYDATA_REQUEST      0x4A585251
#define JXR_COPYDATA_REQUEST_UTF8 0x4A585255
#define JXR_COPYDATA_REPLY        0x4A585250

#define JXR_DROPLIST_HEADER_SIZE 20

/* Limits, in bytes of ANSI or UTF-8 text (answer buffers: in characters,
 * which the dialog counts in UTF-16 units). A request or reply block above its limit
 * is not sent: Wine cannot deliver a message of about 2 MB to another
 * process. Answer buffers (slots 4, 7 and 9) above JXR_ANSWER_MAX get that
 * size; so the file name of a single-file answer always fits a reply. */
#define JXR_REQUEST_MAX       1048576
#define JXR_REPLY_MAX         1048576
#define JXR_ANSWER_MAX        65536
#define JXR_SLOT_MAX          9215    /* a longer slot arrives cut */
#define JXR_WORKBOOK_NAME_MAX 255
#define JXR_EXTRAS_TEXT_MAX   127     /* check box caption, label, note: cut */

/* The request slots, by index. */
enum JxrSlot {
    JXR_SLOT_KIND,              /* "OPEN" for the Open dialog, any other text Save */
    JXR_SLOT_UNUSED,            /* never read */
    JXR_SLOT_FILTERS,           /* counted list: description, pattern, ... */
    JXR_SLOT_CUSTOM_FILTER,     /* counted list, read for a nonzero size */
    JXR_SLOT_CUSTOM_FILTER_SIZE,
    JXR_SLOT_FILTER_INDEX,
    JXR_SLOT_FILE,              /* single form: the initial file name */
    JXR_SLOT_FILE_SIZE,         /* the answer buffer; 0: none */
    JXR_SLOT_FILE_TITLE,        /* single form */
    JXR_SLOT_FILE_TITLE_SIZE,
    JXR_SLOT_INITIAL_DIR,       /* single form */
    JXR_SLOT_TITLE,             /* single form */
    JXR_SLOT_FLAGS,             /* OFN_* flags, unsigned decimal */
    JXR_SLOT_DEF_EXT,           /* single form; "0" for none */
    JXR_SLOT_WORKBOOKS,         /* count, then per entry a name and a flag line ("1": special) */
    JXR_SLOT_SHOW_CHECK_BOX,
    JXR_SLOT_CHECK_STATE,
    JXR_SLOT_CHECK_BOX_TEXT,    /* single form */
    JXR_SLOT_LABEL,             /* single form */
    JXR_SLOT_NOTE,              /* single form; empty: no note */
    JXR_SLOT_RELIEF,            /* nonzero: the relief look, old shell only */
    JXR_SLOT_COUNT
};

/* The reply strings after a confirmed dialog; a cancelled one has none,
 * and a null reply (no list, or an empty block) means that the server
 * could not give the answer. After JXR_REPLY_FILE: with OFN_ALLOWMULTISELECT
 * the directory, then each chosen file's full path; otherwise the file. */
enum JxrReplyString {
    JXR_REPLY_CHECK_STATE,
    JXR_REPLY_FILTER_INDEX,
    JXR_REPLY_FILE
};
