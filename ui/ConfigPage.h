// ConfigPage: the two operations every page of the configurator window
// offers. A page fills its controls from the record when asked and writes
// them back only when it is validated; it holds no copy of the record.
#pragma once

namespace qx {

class ConfigPage {
 public:
  virtual ~ConfigPage() = default;
  // Fills the page's controls from the record.
  virtual void LoadFromRecord() = 0;
  // Reads the controls, checks them and stores them into the record. On the
  // first rejected field: tells the user, selects that field's text, gives it
  // the focus and returns false; fields stored before it stay stored.
  virtual bool ValidateAndStore() = 0;
};

}  // namespace qx
