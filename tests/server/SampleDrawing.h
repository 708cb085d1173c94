// Sample sessions that use every kind of object the host receives, built the
// way the engine builds them: the documents of the exporter and golden tests.
#pragma once

#include "ServerTestSupport.h"

namespace qzdbs::server::test {

// A plate with a bore and four holes (front view) and its side view:
// curves, texts in Chinese, a toleranced multiline text with a leader, all
// seven dimension kinds, a hatch with an inner loop, a block reference with
// attributes, a group, the five transforms and an auxiliary line.
void FillSamplePart(SessionBuilder& builder);

// The same, plus the options: the part made a group and a block.
void FillSamplePartAsBlock(SessionBuilder& builder);

}  // namespace qzdbs::server::test
