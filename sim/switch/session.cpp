#include "switch/session.h"

#include <cstdio>

namespace vdcsim {

std::string session::prompt() const {
  const std::string &host = model.default_vdc().name;
  if (mgr.in_default_vdc()) return host + "# ";
  return host + "-" + mgr.current_vdc().name + "# ";
}

void session::note_changes() {
  if (db.changes() == seen_changes_) return;
  seen_changes_ = db.changes();
  mgr.changed();
}

void session::refresh() {
  if (!db.refresh(model))
    std::fprintf(stderr, "vdcsim: %s: cannot read the lab: %s\n", lab_path.c_str(),
                 db.error().c_str());
  note_changes();
}

std::string session::change(const std::function<std::string()> &edit) {
  std::string why = db.change(model, [&](chassis &) { return edit(); });
  note_changes();
  return why;
}

void session::tick() {
  std::string why = change([&] {
    mgr.tick();
    return std::string();
  });
  if (!why.empty()) std::fprintf(stderr, "vdcsim: %s\n", why.c_str());
}

}  // namespace vdcsim
