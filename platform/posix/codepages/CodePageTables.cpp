// The code pages of the posix layer: written by tools/codepages/generate_code_page_tables.py.
// Do not edit.
#include "platform/posix/CodePageTable.h"

namespace ombrel::platform::posix {

extern const CodePageTable kCodePage866;
extern const CodePageTable kCodePage874;
extern const CodePageTable kCodePage932;
extern const CodePageTable kCodePage936;
extern const CodePageTable kCodePage949;
extern const CodePageTable kCodePage950;
extern const CodePageTable kCodePage1250;
extern const CodePageTable kCodePage1251;
extern const CodePageTable kCodePage1252;
extern const CodePageTable kCodePage1253;
extern const CodePageTable kCodePage1254;
extern const CodePageTable kCodePage1255;
extern const CodePageTable kCodePage1256;
extern const CodePageTable kCodePage1257;
extern const CodePageTable kCodePage1258;
extern const CodePageTable kCodePage10007;
extern const CodePageTable kCodePage20866;
extern const CodePageTable kCodePage20932;
extern const CodePageTable kCodePage21866;
extern const CodePageTable kCodePage28592;
extern const CodePageTable kCodePage28593;
extern const CodePageTable kCodePage28594;
extern const CodePageTable kCodePage28595;
extern const CodePageTable kCodePage28596;
extern const CodePageTable kCodePage28597;
extern const CodePageTable kCodePage28598;
extern const CodePageTable kCodePage28603;
extern const CodePageTable kCodePage28605;

std::span<const CodePageTable* const> CodePageTables() {
    static const CodePageTable* const tables[] = {
        &kCodePage866,   &kCodePage874,   &kCodePage932,   &kCodePage936,   &kCodePage949,
        &kCodePage950,   &kCodePage1250,  &kCodePage1251,  &kCodePage1252,  &kCodePage1253,
        &kCodePage1254,  &kCodePage1255,  &kCodePage1256,  &kCodePage1257,  &kCodePage1258,
        &kCodePage10007, &kCodePage20866, &kCodePage20932, &kCodePage21866, &kCodePage28592,
        &kCodePage28593, &kCodePage28594, &kCodePage28595, &kCodePage28596, &kCodePage28597,
        &kCodePage28598, &kCodePage28603, &kCodePage28605};
    return tables;
}

}  // namespace ombrel::platform::posix
