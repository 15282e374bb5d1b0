#pragma once

namespace pellawin {

constexpr int kAreaCodeRowCount = 226;
extern const char* const kAreaCodeRows[kAreaCodeRowCount];

} // namespace pellawin
