#include <sstream>

#include "FuzzTarget.h"
#include "language/LanguageTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(veltra::fuzz::Text(data, size));
    veltra::LanguageTable table;
    veltra::ReadLanguageEntries(in, table);
    for (int key = 0; key < veltra::kLanguageTextCount; ++key)
        veltra::BytesToUtf8(table.text(key));
    return 0;
}
