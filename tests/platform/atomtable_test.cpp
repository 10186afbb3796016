#include <gtest/gtest.h>

#include <string>

#include "platform/atomtable.h"
#include "platform/errors.h"

using tarvo::platform::TAtomTable;

namespace {

TEST(AtomTable, AStringKeepsItsAtomUntilEveryAddIsDeleted)
{
    TAtomTable table;
    const uint16_t a = table.Add("THotTarvo0");
    EXPECT_EQ(a, TAtomTable::FirstAtom);
    EXPECT_EQ(table.Add("THotTarvo0"), a);
    table.Delete(a);
    EXPECT_EQ(table.Add("THotTarvo17"), a + 1) << "THotTarvo0 is still in the table";
    table.Delete(a);
    table.Delete(a); // no longer in the table: changes nothing
    EXPECT_EQ(table.Add("THotTarvo5"), a) << "a freed atom is used again";
    EXPECT_EQ(table.Add("THotTarvo0"), a + 2);
}

TEST(AtomTable, FullTableRaises)
{
    TAtomTable table;
    for (int i = 0; i <= 0xFFFF - TAtomTable::FirstAtom; ++i)
        table.Add(std::to_string(i));
    EXPECT_THROW(table.Add("one too many"), tarvo::platform::EAtomTableFull);
}

} // namespace
