// The order of the script: VDCs deleted, VDCs created (a placeholder keeps a free id
// taken where a later VDC must get a higher one), linecard types widened where an
// interface must come in on a new type, interfaces moved, then each VDC's linecard types,
// feature sets and first-time setup as they are now.
#include "chassis/running_config.h"

#include <strings.h>

#include <algorithm>
#include <map>

#include "zudoru_mgr_show.h"

namespace vdcsim {
namespace {

constexpr size_t interfaces_per_line = 32;

bool contains(const std::vector<std::string> &names, const std::string &name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

template <typename T>
bool contains(const std::vector<T> &items, T item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

class script {
 public:
  script(const chassis &start, const chassis &now) : start_(start), now_(now) {
    for (auto &v : now_.vdcs) {
      const vdc *old = kept(v);
      types_[v.id] = old ? old->module_types : default_types();
    }
  }

  std::string write() {
    line("! Running configuration: changes since the chassis was loaded");
    for (auto &v : start_.vdcs)
      if (!kept_id(v.id)) line("no vdc " + v.name);
    create_vdcs();
    move_interfaces();
    for (auto &v : now_.vdcs)
      settle(v);
    return out_;
  }

 private:
  void line(const std::string &text) { out_ += text + "\n"; }

  // The VDC of the start that `v` still is: same id, name and creation.
  const vdc *kept(const vdc &v) const {
    const vdc *old = start_.find_vdc(v.id);
    bool same = old && strcasecmp(old->name.c_str(), v.name.c_str()) == 0 &&
                old->create_time == v.create_time;
    return same ? old : nullptr;
  }
  bool kept_id(uint32_t id) const {
    const vdc *v = now_.find_vdc(id);
    return v && kept(*v);
  }

  std::vector<std::string> default_types() const {
    std::vector<std::string> types;
    for (auto &t : now_.linecard_types)
      if (t.ethernet) types.push_back(t.name);
    return types;
  }

  bool name_taken(const std::string &name) const {
    for (const chassis *c : {&start_, &now_})
      for (auto &v : c->vdcs)
        if (strcasecmp(v.name.c_str(), name.c_str()) == 0) return true;
    return false;
  }

  // A new VDC takes the lowest free id, so ids below it are held by placeholders.
  void create_vdcs() {
    std::vector<bool> taken(now_.max_vdcs + 2, false);
    for (auto &v : now_.vdcs)
      if (kept(v)) taken[v.id] = true;
    std::vector<std::string> held;
    for (auto &v : now_.vdcs) {
      if (kept(v)) continue;
      for (uint32_t id = 2; id < v.id; ++id) {
        if (taken[id]) continue;
        std::string name = "held-" + std::to_string(id);
        while (name_taken(name))
          name += "x";
        line("! " + name + " keeps id " + std::to_string(id) +
             " taken until the VDCs after it exist");
        line("vdc " + name);
        held.push_back(name);
        taken[id] = true;
      }
      line("vdc " + v.name);
      taken[v.id] = true;
    }
    for (auto &name : held)
      line("no vdc " + name);
  }

  // Where each interface stands once the deletions have run.
  uint32_t owner_then(const interface &before) const {
    return kept_id(before.vdc) ? before.vdc : 0;
  }
  bool moved(const interface &before, const interface &after) const {
    if (after.vdc == 0) return false;
    bool shared_then = contains(before.shared_with, after.vdc) && kept_id(after.vdc);
    return owner_then(before) != after.vdc ||
           (shared_then && !contains(after.shared_with, after.vdc));
  }

  void move_interfaces() {
    std::map<uint32_t, std::vector<const interface *>> moves;  // by VDC id
    size_t count = std::min(start_.interfaces.size(), now_.interfaces.size());
    for (size_t i = 0; i < count; ++i)
      if (moved(start_.interfaces[i], now_.interfaces[i]))
        moves[now_.interfaces[i].vdc].push_back(&now_.interfaces[i]);
    for (auto &[id, ports] : moves)
      widen_for(*now_.find_vdc(id), ports);
    for (auto &[id, ports] : moves)
      for (size_t first = 0; first < ports.size(); first += interfaces_per_line)
        allocate(*now_.find_vdc(id), ports, first);
  }

  void allocate(const vdc &v, const std::vector<const interface *> &ports, size_t first) {
    std::string list;
    for (size_t i = first; i < ports.size() && i < first + interfaces_per_line; ++i)
      list += (list.empty() ? "" : ",") + ports[i]->name;
    line("allocate interface " + list + " vdc " + v.name);
  }

  // The VDC accepts, for the moves, its types now and the types it ends with.
  void widen_for(const vdc &v, const std::vector<const interface *> &ports) {
    std::vector<std::string> &types = types_[v.id];
    bool short_of_one = false;
    for (auto *port : ports)
      if (const module *m = now_.find_module(port->slot))
        short_of_one = short_of_one || !contains(types, m->type);
    if (!short_of_one) return;
    std::vector<std::string> wider = v.module_types;
    for (auto &t : types)
      if (!contains(wider, t)) wider.push_back(t);
    types = wider;
    in_vdc(v, {limit(wider)});
  }

  static std::string limit(const std::vector<std::string> &types) {
    std::string text = "limit-resource module-type";
    for (auto &t : types)
      text += " " + t;
    return text;
  }

  void settle(const vdc &v) {
    const vdc *old = kept(v);
    std::vector<std::string> commands;
    if (types_[v.id] != v.module_types && !v.module_types.empty())
      commands.push_back(limit(v.module_types));
    feature_sets(old ? old->feature_sets : std::vector<std::string>{}, v.feature_sets, commands);
    bool set_up = v.setup_done && !(old ? old->setup_done : false);
    if (!commands.empty() || set_up) in_vdc(v, commands);
  }

  // Keeps the longest run of the sets allowed before that starts the list of now; the
  // rest are disallowed and allowed again in order.
  static void feature_sets(const std::vector<std::string> &before,
                           const std::vector<std::string> &after,
                           std::vector<std::string> &commands) {
    size_t keep = 0;
    for (auto &name : before) {
      if (!contains(after, name)) continue;
      if (keep < after.size() && after[keep] == name)
        ++keep;
      else
        break;
    }
    for (auto &name : before)
      if (!contains(std::vector<std::string>(after.begin(), after.begin() + keep), name))
        commands.push_back("no allow feature-set " + name);
    for (size_t i = keep; i < after.size(); ++i)
      commands.push_back("allow feature-set " + after[i]);
  }

  void in_vdc(const vdc &v, const std::vector<std::string> &commands) {
    bool nested = v.id != VDC_DEFAULT_ID;
    if (nested) line("switchto vdc " + v.name);
    for (auto &c : commands)
      line(c);
    if (nested) line("exit");
  }

  const chassis &start_;
  const chassis &now_;
  std::map<uint32_t, std::vector<std::string>> types_;  // by VDC id, as the script goes
  std::string out_;
};

}  // namespace

std::string running_config(const chassis &start, const chassis &now) {
  return script(start, now).write();
}

}  // namespace vdcsim
