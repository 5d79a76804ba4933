#include "speech/readers/reader_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(ReaderChoice, TheSettingAndWhatRunsChooseTheClient) {
    using enum ReaderClient;
    const ReadersFound nothing{}, flagOnly{true, false, false}, nvdaAndJaws{true, true, true}, jawsOnly{false, false, true};
    const struct {
        WhoSpeaks who;
        ReadersFound found;
        ReaderClient client;
    } cases[] = {
        {WhoSpeaks::ownVoice, nvdaAndJaws, none},          {WhoSpeaks::automatic, nothing, none},
        {WhoSpeaks::automatic, flagOnly, notification},    {WhoSpeaks::automatic, nvdaAndJaws, nvda},
        {WhoSpeaks::automatic, jawsOnly, jaws},            {WhoSpeaks::screenReader, nothing, notification},
        {WhoSpeaks::screenReader, jawsOnly, jaws},         {WhoSpeaks::screenReader, nvdaAndJaws, nvda},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseReaderClient(c.who, c.found), c.client)
            << static_cast<int>(c.who) << c.found.screenReaderFlag << c.found.nvdaRunning << c.found.jawsObject;
}

}  // namespace
