#include "FuzzTarget.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace fuzz {
namespace {
bool failuresThrow = false;
constexpr NamedTarget Table[] = {
    {"links_file", &LinksFile},       {"registry_text", &RegistryText}, {"layout_tables", &LayoutTables},
    {"typed_reads", &TypedReads},     {"text_helpers", &TextHelpers},
};
}  // namespace

std::basic_string_view<NamedTarget> AllTargets() { return {Table, std::size(Table)}; }

void Fail(const char* what) {
    if (failuresThrow) throw std::logic_error(what);
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

void SetFailuresThrow(bool throwing) { failuresThrow = throwing; }

}  // namespace fuzz
