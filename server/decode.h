// Request decoding: the slot texts of a request list into the OPENFILENAME
// and the DialogExtras record. Free of the platform beyond server/platform.h,
// so that it also builds natively for the sanitizer tests and the fuzzer.
#pragma once
#include "server/platform.h"
#include "dialog/dialogextras.h"
#include "wire/slottext.h"
#include "wire/unicode.h"

// Buffer size for reading one request slot.
#define SLOT_BUFFER_SIZE (JXR_SLOT_MAX + 1)
// Size of each DialogExtras text buffer.
#define EXTRAS_TEXT_SIZE (JXR_EXTRAS_TEXT_MAX + 1)

// The three text buffers of a DialogExtras record, owned with it.
struct ExtrasTexts {
    char checkBoxText[EXTRAS_TEXT_SIZE];
    char label[EXTRAS_TEXT_SIZE];
    char note[EXTRAS_TEXT_SIZE];
};

// Reads one slot into a SLOT_BUFFER_SIZE buffer and returns its length. A
// null request, or a slot past the end of the list, reads as empty.
int ReadSlot(HDROP request, int index, char *slot);
// A slot read as scanf's "%i" would; 0 when it holds no number.
int ReadSlotInteger(HDROP request, int index, char *slot);

// Slots 2 to 13 into an OPENFILENAME that the caller zeroed, with Flags,
// template and hook chosen by the shell. Uses the caller's slot buffer.
void DecodeDialogRequest(HDROP request, OPENFILENAMEA *ofn, char *slot);
// Slots 14 to 19 into the DialogExtras record, zeroed first: slot 14 stays
// as read in the workbooks buffer (SLOT_BUFFER_SIZE), the texts go to texts.
void DecodeDialogExtras(HDROP request, DialogExtras *extras, ExtrasTexts *texts,
                        char *slot, char *workbooks);
// Frees the text buffers that DecodeDialogRequest allocated.
void ReleaseDialogRequest(OPENFILENAMEA *ofn);

// As DecodeDialogRequest, into the wide structure the dialog gets: each
// text is decoded in the request's code page (CP_ACP, or CP_UTF8 for a
// Unicode request) and converted once. The sizes of slots 4, 7 and 9 count
// UTF-16 units. A text that cannot be allocated stays null (an answer
// buffer then with size 0).
void DecodeWideRequest(HDROP request, OPENFILENAMEW *ofn, char *slot, UINT codePage);
void ReleaseDialogRequest(OPENFILENAMEW *ofn);
