/* A C application built for the MSVC ABI, as Visual Studio builds it, that
 * uses the installed module through its MSVC import libraries. It has no C
 * runtime: its own entry point, output through kernel32. It checks the
 * record layouts as this compiler lays them out (at compile time), that its
 * headers are those of the package found, and makes the consumers' scoring
 * run. Exits non-zero when any of these fails. */
#include <cclp_score/cclp_score.h>

#include "../score_pair.h"
#include "record_layouts.h"

CCLP_CHECK_RECORD_LAYOUTS()

/* The kernel32 functions used, declared as the Windows headers declare them. */
typedef void* consumer_handle;
__declspec(dllimport) consumer_handle __stdcall GetStdHandle(uint32_t device);
__declspec(dllimport) int __stdcall WriteFile(consumer_handle file, const void* bytes,
                                               uint32_t count, uint32_t* written,
                                               void* overlapped);
__declspec(dllimport) __declspec(noreturn) void __stdcall ExitProcess(uint32_t code);
#define CONSUMER_STD_OUTPUT_HANDLE ((uint32_t)-11)

/* Code that uses floating point refers to this symbol, which the C runtime
 * would define. */
int _fltused = 0;

static uint32_t textLength(const char* text) {
    uint32_t length = 0;
    while (text[length] != '\0') ++length;
    return length;
}

static int sameText(const char* left, const char* right) {
    while (*left != '\0' && *left == *right) {
        ++left;
        ++right;
    }
    return *left == *right;
}

static void writeText(const char* text) {
    uint32_t written = 0;
    WriteFile(GetStdHandle(CONSUMER_STD_OUTPUT_HANDLE), text, textLength(text), &written, NULL);
}

static void writeCount(uint32_t count) {
    char digits[11];
    char* first = digits + sizeof digits - 1;
    *first = '\0';
    do {
        *--first = (char)('0' + count % 10);
        count /= 10;
    } while (count != 0);
    writeText(first);
}

/* Reports a failed check; returns whether it held. */
static int holds(int condition, const char* what) {
    if (!condition) {
        writeText("FAILED: ");
        writeText(what);
        writeText("\n");
    }
    return condition;
}

void consumer_start(void) {
    /* Both checks run, whatever the first one gives. */
    int ok = holds(sameText(CCLP_SCORE_VERSION_STRING, PACKAGE_VERSION),
                   "headers of another version than the package's");
    ok = holds(consumer_runScorePair(), "the scoring run's result") && ok;
    writeText("cclp_score " CCLP_SCORE_VERSION_STRING ": MSVC-ABI C consumer ");
    writeText(ok ? "passed" : "FAILED");
    writeText(", ");
    writeCount(CCLP_RECORD_LAYOUT_COUNT);
    writeText(" record sizes and offsets as laid out for MSVC\n");
    ExitProcess(ok ? 0 : 1);
}
