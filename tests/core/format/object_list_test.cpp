#include "format/object_list.h"
#include "format/record_file.h"

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

// A record in the file's columns: name (25), count (2), two unread columns,
// then each ID in three columns, one column apart.
std::string record(const std::string& name, int n, const std::vector<int>& ids) {
    std::string out = name + std::string(25 - name.size(), ' ');
    out += (n < 10 ? " " : "") + std::to_string(n) + "  ";
    for (const int id : ids) {
        const std::string field = std::to_string(id);
        out += std::string(3 - field.size(), ' ') + field + ' ';
    }
    return out;
}

// The names of a list of objects, each followed by '|'.
std::string names(const std::vector<GameObject>& objects) {
    std::string out;
    for (const GameObject& o : objects) out += o.name + "|";
    return out;
}

} // namespace

TEST(ObjectList, RecordColumnsAndTheEndOfTheIdList) {
    const struct {
        std::string record, name;
        std::vector<int> ids;
    } cases[] = {
        {record("CRANE", 2, {12, 305}), "CRANE", {12, 305}},
        {record("GATE", 3, {7, 8}), "GATE", {7, 8}}, // more announced than present
        {record("BELL", 3, {4, 0, 9}), "BELL", {4}}, // a 0 ends the list
        {record("LIFT", 1, {1, 2}), "LIFT", {1}},    // fewer announced: only those
        {record("ABCDEFGHIJKLMNOPQRSTUVWXY", 1, {3}), "ABCDEFGHIJKLMNOPQRSTUVWXY", {3}},
        // Tabs in the name field are not cut, spaces are.
        {"TAB\t" + std::string(21, ' ') + " 1  003", "TAB\t", {3}},
        {"", "", {}},
        {"SHORT", "SHORT", {}}, // the count and IDs that are missing read as 0
        {record("BIG", 22, std::vector<int>(22, 5)), "BIG", std::vector<int>(22, 5)},
    };
    for (const auto& c : cases) {
        const GameObject o = readObjectRecord(c.record);
        EXPECT_EQ(o.name, c.name) << c.record;
        EXPECT_EQ(o.ids, c.ids) << c.record;
    }
}

TEST(ObjectList, TheDialogGroupsByTypeHeaderAndTheImportSkipsPartsAndLoops) {
    const TypeObjectTable t = readTypeObjects(joinLinesCrLf(
        {"** a comment", record("BEFORE", 1, {1}), "* Ennemies", record("RAT", 1, {2}), "",
         record("HIDDEN_AFTER_EMPTY", 1, {3}), "* Friends", "*x read as an object here",
         record("NURSE (2)", 1, {4}), "   " + record("INDENTED", 1, {6}) + ",after a comma"}));
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(names(t[0]), "BEFORE|");
    EXPECT_EQ(names(t[1]), "RAT||HIDDEN_AFTER_EMPTY|"); // the dialog's list stops at the empty one
    EXPECT_EQ(names(t[2]), "*x read as an object here|NURSE (2)|INDENTED|");
    EXPECT_EQ(t[2][2].ids, std::vector<int>{6});

    const std::vector<GameObject> objects = readImportObjects(
        joinLinesCrLf({"* Ennemies", record("RAT", 1, {2}), "*x skipped by this reader",
                       record("NURSE (2)", 1, {4}), record("FURNACE LOOP", 1, {5}),
                       record("Canal Loop", 1, {6}), "* Friends", record("NURSE", 2, {4, 7})}));
    EXPECT_EQ(names(objects), "RAT|Canal Loop|NURSE|"); // "LOOP" is matched in capitals only
    EXPECT_EQ(objects[2].ids, (std::vector<int>{4, 7}));
}
