#include "core/settings/font_service.h"

#include "core/common/sjis.h"

namespace tidemark {

ByteString LimitFace(const ByteString& face) {
    return ByteString(
        face.View().substr(0, SafeCutLength(face.View(), FontSetting::kMaxFaceBytes)));
}

std::int32_t MulDiv(std::int32_t value, std::int32_t numerator, std::int32_t denominator) {
    if (denominator == 0)
        return -1;
    std::int64_t product = std::int64_t{value} * numerator;
    bool negative = (product < 0) != (denominator < 0);
    std::int64_t magnitude = product < 0 ? -product : product;
    std::int64_t divisor = denominator < 0 ? -std::int64_t{denominator} : denominator;
    std::int64_t quotient = (magnitude + divisor / 2) / divisor;
    if (quotient > INT32_MAX)
        return -1;
    return static_cast<std::int32_t>(negative ? -quotient : quotient);
}

}  // namespace tidemark
