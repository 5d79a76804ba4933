#include "fake_power_policy.h"

namespace {
PowerPolicy policy;
int reads = 0;
}  // namespace

PowerPolicy readPowerPolicy() {
    ++reads;
    return policy;
}

namespace fake {
void setPowerPolicy(const PowerPolicy& next) { policy = next; }
int powerPolicyReads() { return reads; }
}  // namespace fake
