#include "desktop/taskbar_records.h"

#include <gtest/gtest.h>

namespace moritelda {
namespace {

// Records laid out by hand as the shell's process holds them.
TEST(TaskbarRecords, DecodesButtonsOfBothShellLayouts) {
    std::uint8_t shell32[20] = {};
    shell32[4] = 0x65;  // idCommand
    shell32[8] = 0x05;  // fsState: enabled | checked
    shell32[9] = 0x02;  // fsStyle
    const std::uint8_t data32[] = {0x78, 0x56, 0x34, 0x12};
    std::copy(data32, data32 + 4, shell32 + 12);
    shell32[16] = 0xFF;  // iString must not leak into dwData

    std::uint8_t shell64[32] = {};
    shell64[8] = 0x04;
    const std::uint8_t data64[] = {0xF0, 0xDE, 0xBC, 0x9A, 0x78, 0x56, 0x34, 0x12};
    std::copy(data64, data64 + 8, shell64 + 16);
    shell64[12] = 0xAA;  // reserved bytes are not data

    EXPECT_EQ(20u, ButtonRecordSize(false));
    EXPECT_EQ(32u, ButtonRecordSize(true));
    const TaskbarButton a = DecodeButton(shell32, false);
    EXPECT_EQ(0x05, a.state);
    EXPECT_EQ(0x12345678u, a.data);
    const TaskbarButton b = DecodeButton(shell64, true);
    EXPECT_EQ(0x04, b.state);
    EXPECT_EQ(0x123456789ABCDEF0u, b.data);
    EXPECT_LE(ButtonRecordSize(true), REMOTE_BUFFER_SIZE);
}

TEST(TaskbarRecords, TabRequestAndReplyOfBothShellLayouts) {
    for (bool shell64 : {false, true}) {
        std::vector<std::uint8_t> request = EncodeTabRequest(shell64, TCIF_PARAM_BIT | TCIF_STATE_BIT,
                                                             TCIS_HIGHLIGHTED_BIT);
        ASSERT_EQ(shell64 ? 40u : 28u, request.size());
        EXPECT_EQ(0x18, request[0]);
        EXPECT_EQ(0x02, request[8]);
        for (std::size_t i = 12; i < request.size(); ++i) EXPECT_EQ(0, request[i]) << i;

        // The shell answers into the same bytes.
        request[4] = 0x02;  // dwState: highlighted
        const std::size_t param = shell64 ? 32 : 24;
        request[param] = 0x34;
        request[param + 1] = 0x12;
        const TaskbarTab tab = DecodeTab(request.data(), shell64);
        EXPECT_EQ(TCIS_HIGHLIGHTED_BIT, tab.state);
        EXPECT_EQ(0x1234u, tab.param);
        EXPECT_LE(request.size(), REMOTE_BUFFER_SIZE);
    }
}

TEST(TaskbarRecords, HandlesInTheShellsMemory) {
    const std::uint8_t bytes[] = {0x10, 0x20, 0x03, 0x00, 0x01, 0, 0, 0};
    EXPECT_EQ(0x32010u, DecodeAddress(bytes, HandleSize(false)));
    EXPECT_EQ(0x100032010u, DecodeAddress(bytes, HandleSize(true)));
}

}  // namespace
}  // namespace moritelda
