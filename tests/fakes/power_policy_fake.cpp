#include "fake_power_policy.h"

namespace {
PowerPolicy policy;
int reads = 0;
}  // namespace

PowerPolicy readPowerPolicy() { return ++reads, policy; }
void fake::setPowerPolicy(const PowerPolicy& next) { policy = next; }
int fake::powerPolicyReads() { return reads; }
