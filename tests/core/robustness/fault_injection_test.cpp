// Every call an operation makes that changes a file is made to fail in turn.
// The rule for each failure: a failure message names the file concerned, the
// operation does not report success, the state still knows what is on disk,
// and each file either is as it was or holds what a clean run had finished
// writing to it before the failing call. The calls come in an order that
// keeps that consistent: the backup Orig_Sounds.txt and the copy kept in the
// history (each a copy of sounds.txt as it was) before sounds.txt, sounds.txt
// before the WAD's custom lines, and nothing after a failure but the custom
// lines of a sounds.txt already written.

#include "operations.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace kestrel;
using namespace kestrel::testing;
using namespace kestrel::testing::robust;

namespace {

using Disk = std::map<std::string, std::string>;

struct Attempt {
    Installation inst = smallInstallation();
    Paths paths{inst};
    Loaded l{inst};
    Disk before;
    std::size_t firstCall = 0;

    explicit Attempt(const Operation& op) {
        if (op.withCustomLines) l.fake.files.files[paths.tor] = kKeptCustomLines;
        if (op.prepare) op.prepare(l.state, l.fake.ports);
        l.fake.dialogs.shown.clear();
        before = l.fake.files.files;
        firstCall = l.fake.files.calls.size();
    }
    bool operator()(const Operation& op) {
        return op.run(l.state, l.fake.ports, l.fake.dialogs, paths);
    }
    std::vector<FileCall> calls() const {
        const auto& all = l.fake.files.calls;
        return {all.begin() + static_cast<std::ptrdiff_t>(firstCall), all.end()};
    }
    std::vector<ShownMessage> failuresShown(const Operation& op) const {
        std::vector<ShownMessage> out;
        for (const auto& m : l.fake.dialogs.shown)
            if (op.failures.count(m.id)) out.push_back(m);
        return out;
    }
};

std::string folded(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string describe(const FileCall& c) {
    static const char* const kinds[] = {"write", "copy", "remove", "makeDir"};
    return std::string(kinds[static_cast<int>(c.op)]) + " " + c.path;
}

class FaultInjection : public ::testing::TestWithParam<Operation> {};

} // namespace

TEST_P(FaultInjection, EveryFailingCallIsReportedAndLosesNothing) {
    const Operation& op = GetParam();

    Attempt clean(op);
    ASSERT_TRUE(clean(op)) << "a clean run does everything";
    EXPECT_TRUE(clean.failuresShown(op).empty());
    const std::vector<FileCall> calls = clean.calls();
    ASSERT_EQ(calls.size(), op.cleanCalls.size());
    std::set<std::string> touched;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const FileCall expected{op.cleanCalls[i].first, clean.paths.*op.cleanCalls[i].second};
        EXPECT_EQ(describe(calls[i]), describe(expected)) << i;
        ASSERT_TRUE(touched.insert(folded(calls[i].path)).second) << "each file is changed once";
    }
    const Disk& after = clean.l.fake.files.files;

    for (std::size_t k = 0; k < calls.size(); ++k) {
        SCOPED_TRACE("failing call " + std::to_string(k) + ": " + describe(calls[k]));
        Attempt r(op);
        int nth = 0;
        for (std::size_t j = 0; j < k; ++j) nth += calls[j].op == calls[k].op;
        r.l.fake.files.failNth(calls[k].op, nth);
        EXPECT_FALSE(r(op));

        const auto failures = r.failuresShown(op);
        ASSERT_EQ(failures.size(), 1u);
        // The message names the file, or a file in the folder, that failed.
        EXPECT_EQ(folded(failures[0].args.at(0)).rfind(folded(calls[k].path), 0), 0u)
            << failures[0].args.at(0);

        // Each file is as before, or as the clean run left it when a call
        // before the failing one had finished changing it.
        Disk expected = r.before;
        for (std::size_t j = 0; j < k; ++j) {
            const auto done = after.find(calls[j].path);
            if (done != after.end())
                expected[done->first] = done->second;
            else
                expected.erase(calls[j].path);
        }
        EXPECT_EQ(r.l.fake.files.files, expected);
        // What the state takes for sounds.txt is what the disk holds, so that
        // a later Apply neither overwrites a change nor takes its own for one.
        EXPECT_EQ(r.l.state.soundsFile.bytes, r.l.fake.files.bytes(r.paths.sounds));
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultInjection, ::testing::ValuesIn(operations()),
                         [](const auto& info) { return std::string(info.param.name); });
