#include "filterfactory/record.hpp"

namespace vexolan::ff {

std::string& FilterRecord::Code(int k) {
    switch (k) {
    case 0:
        return CodeR;
    case 1:
        return CodeG;
    case 2:
        return CodeB;
    default:
        return CodeA;
    }
}

const std::string& FilterRecord::Code(int k) const {
    return const_cast<FilterRecord*>(this)->Code(k);
}

void IniVars(FilterRecord& record) {
    record.Category.clear();
    record.Author.clear();
    record.Copyright.clear();
    record.Filename.clear();
    record.Title.clear();
    for (auto& name : record.CtlName)
        name.clear();
    record.CtlValue.fill(0);
    for (auto& name : record.MapName)
        name.clear();
    record.CodeR.clear();
    record.CodeB.clear();
    record.CodeG.clear();
    record.CodeA.clear();
}

} // namespace vexolan::ff
