#pragma once

namespace pellawin {

constexpr int kDomainSuffixRowCount = 252;
extern const char* const kDomainSuffixRows[kDomainSuffixRowCount];

} // namespace pellawin
