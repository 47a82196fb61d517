// numeric_entries.cpp - absolute values, rounding and octal text.  A null
// argument pointer (SQL NULL) gives 0.
#include <cstring>

#include "../numeric/numeric.h"
#include "entries.h"
#include "result_blocks.h"

KOVUDF_ENTRY double _UDF_Abs(const double* value) {
    return value == nullptr ? 0.0 : absolute_value(*value);
}

KOVUDF_ENTRY int32_t _UDF_IAbs(const int32_t* value) {
    return value == nullptr ? 0 : absolute_value(*value);
}

KOVUDF_ENTRY double _UDF_Round(const double* value, const int16_t* mode) {
    if (value == nullptr || mode == nullptr) {
        return 0.0;
    }
    return round_by_mode(*value, *mode);
}

KOVUDF_ENTRY int32_t _UDF_Oct(const char* text) {
    return text == nullptr ? 0 : octal_value(cstring_text(text));
}
