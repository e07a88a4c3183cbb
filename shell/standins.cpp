#include "shell/standins.hpp"

#include "shell/App.hpp"

namespace vexolan {

void standin_called(std::string_view name) {
    standin_calls().emplace_back(name);
    if (on_standin_call()) on_standin_call()(name);
}

std::vector<std::string>& standin_calls() {
    static std::vector<std::string> calls;
    return calls;
}

std::function<void(std::string_view)>& on_standin_call() {
    static std::function<void(std::string_view)> hook;
    return hook;
}

} // namespace vexolan
