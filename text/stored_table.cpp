#include "text/stored_table.h"

const cleanup_entry table_row_cleanup[] = {
    offsetof(table_row, label),
    offsetof(table_row, description),
    CLEANUP_END,
};

const unsigned char* table_load(table_row** table, const unsigned char* stored, uint32_t rows) {
    array_destroy(*table);
    void** owner = reinterpret_cast<void**>(table);
    if (!array_create(rows, sizeof(table_row), table_row_cleanup, owner, KIND_RECORD))
        return nullptr;
    const unsigned char* p = stored;
    for (uint32_t i = 0; i < rows; i++) {
        table_row& row = (*table)[i];
        row.index = static_cast<int32_t>(read_u32(p));
        p += 4;
        // str_assign returns the bytes it stored: the text and its NUL, which is exactly the
        // text's size in the packed form.
        p += str_assign(&row.label, reinterpret_cast<const wchar_t*>(p));
        p += str_assign(&row.description, reinterpret_cast<const wchar_t*>(p));
    }
    return p;
}

wchar_t* push_number_column(int64_t value, int32_t width, size_t at) {
    temp_push_dec(value, at);
    int32_t length = static_cast<int32_t>((rt.temp_top - at) / sizeof(wchar_t));
    rt.temp_top = at;
    for (; length < width; length++)
        temp_push_char(L' ', rt.temp_top);
    temp_push_dec(value, rt.temp_top);
    return temp_text(at);
}
