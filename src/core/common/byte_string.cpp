#include "core/common/byte_string.h"

namespace tidemark {

void ByteString::SecureClear() {
    volatile char* p = m_bytes.data();
    for (std::size_t i = 0; i < m_bytes.size(); ++i) p[i] = 0;
    m_bytes.clear();
    m_bytes.shrink_to_fit();
}

}  // namespace tidemark
