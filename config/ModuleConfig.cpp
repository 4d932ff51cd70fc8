#include "config/ModuleConfig.h"

#include <algorithm>

namespace qx {

void ModuleConfig::SetDefaults() {
  // Everything not named below (header, reserved bytes, mail) is zero.
  bytes_.fill(0);
  for (int i = 1; i <= layout::kMaxItems; ++i) ResetItem(i);
  SetNtpUpdateCycle(10);
  SetDstStart(0x0400);
  SetDstEnd(0x0900);
  SetSnmpControl(1);
  SetCommunity(1, "orchid");
  SetCommunity(2, "orchid");
  SetCommunity(3, "granite");
  SetCommunity(4, "granite");
  // A reset trigger is wholly empty: its flags are cleared too, so a Default
  // never leaves a "User Message" or "PLC Device" choice behind.
  for (int t = 1; t <= layout::kTriggers; ++t) ResetTrigger(t);
}

void ModuleConfig::ResetItem(int i) {
  auto item = Block(ItemOffset(i), layout::kItemSize);
  std::fill(item.begin(), item.end(), 0);
  Item(i).SetUpdateCycle(10);
  Item(i).SetTimeout(10);
}

void ModuleConfig::ResetTrigger(int t) {
  auto rec = Block(TriggerOffset(t), layout::kTriggerSize);
  std::fill(rec.begin(), rec.end(), 0);
  Trigger(t).SetInterval(10);
}

}  // namespace qx
