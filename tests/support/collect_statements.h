#pragma once

#include "output/statement_list.h"

namespace qz::test {

// The lines a statement source produces, as a list.
StatementList collect_statements(const StatementSource& source);

}  // namespace qz::test
