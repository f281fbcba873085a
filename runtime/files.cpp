#include "runtime/runtime.h"

bool put_file_in_place(const wchar_t* temp, const wchar_t* target) {
    const DWORD before = GetFileAttributesW(target);
    if (before == INVALID_FILE_ATTRIBUTES)
        return MoveFileExW(temp, target, MOVEFILE_WRITE_THROUGH) != FALSE;
    // No backup: on failure the target keeps its name and content and the new file its own.
    if (!ReplaceFileW(target, temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return false;
    // Windows gives the new file the old one's attributes; Wine renames the new file over the old
    // one and so keeps the new one's. Putting back what is missing changes nothing on Windows and
    // keeps a hidden or system file so under Wine too.
    const DWORD kept = before & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    const DWORD now = GetFileAttributesW(target);
    if (now != INVALID_FILE_ATTRIBUTES && (now & kept) != kept)
        SetFileAttributesW(target, (now | kept) & (kept | FILE_ATTRIBUTE_ARCHIVE));
    return true;
}
