#include "switch/session.h"

namespace vdcsim {

std::string session::prompt() const {
  const std::string &host = model.default_vdc().name;
  if (mgr.in_default_vdc()) return host + "# ";
  return host + "-" + mgr.current_vdc().name + "# ";
}

}  // namespace vdcsim
