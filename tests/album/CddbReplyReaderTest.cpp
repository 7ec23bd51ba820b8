// Gathering a reply from the pieces a socket delivers: split anywhere, ended by
// the list's "." line, by the end of a one-line reply or by the close.
#include "CddbFixtures.h"

#include "album/CddbReplyReader.h"

#include <gtest/gtest.h>

namespace {

const std::string kHeader = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";

std::string ReadReply()
{
    return kHeader + WithCrLf(ReadCddbFixture("rock-45044a05.xmcd")) + ".\r\n";
}

struct Whole {
    CddbReadState state;
    std::string body;
};

Whole InOnePiece(const std::string& reply)
{
    CCddbReplyReader reader;
    reader.Append(reply);
    reader.EndOfStream();
    return {reader.State(), std::string(reader.Body())};
}

}  // namespace

TEST(CddbReplyReader, RepliesSplitAtEveryByteComeOutWhole)
{
    const std::string replies[] = {
        ReadCddbFixture("query-211.reply"),
        ReadCddbFixture("query-200-bare-lf.reply"),
        ReadCddbFixture("sites.reply"),
        ReadReply(),
        kHeader + "202 No match for disc ID 12345678.\r\n",
    };
    for (const std::string& reply : replies) {
        SCOPED_TRACE(reply.substr(0, 80));
        const Whole whole = InOnePiece(reply);
        ASSERT_EQ(whole.state, CddbReadState::Complete);
        // The reply is whole only with its last byte: no code is judged from a
        // part of the first line, no list ends before its "." line.
        for (std::size_t split = 0; split < reply.size(); ++split) {
            CCddbReplyReader reader;
            EXPECT_EQ(reader.Append(reply.substr(0, split)), CddbReadState::NeedMore) << split;
            EXPECT_EQ(reader.Append(reply.substr(split)), CddbReadState::Complete) << split;
            EXPECT_EQ(reader.Body(), whole.body) << split;
        }
        CCddbReplyReader byteByByte;
        for (char c : reply)
            byteByByte.Append(std::string(1, c));
        EXPECT_EQ(byteByByte.Body(), whole.body);
    }
}

TEST(CddbReplyReader, TheBodyEndsBeforeTheListsEndLine)
{
    EXPECT_EQ(InOnePiece(kHeader + "210 OK\r\na\r\n.\r\n").body, "210 OK\r\na\r\n");
    EXPECT_EQ(InOnePiece("HTTP/1.0 200 OK\n\n210 OK\na\n.\n").body, "210 OK\na\n");
    // A "." that merely starts a line does not end the list.
    EXPECT_EQ(InOnePiece(kHeader + "210 OK\r\n.a\r\nb\r\n.\r\n").body, "210 OK\r\n.a\r\nb\r\n");
    EXPECT_EQ(InOnePiece(kHeader + "200 rock 12345678 A / B\r\n").body, "200 rock 12345678 A / B\r\n");
}

TEST(CddbReplyReader, AnOrderlyCloseEndsACompleteBodyOnly)
{
    struct Case {
        std::string received;
        CddbReadState state;
        bool closedEarly;
    } cases[] = {
        {kHeader + "200 rock 12345678 A / Trunc", CddbReadState::Failed, true},  // a line cut short
        {kHeader + "210 OK\r\na\r\n.", CddbReadState::Complete, false},
        {kHeader + "210 OK\r\na\r\n.\r", CddbReadState::Complete, false},
        {kHeader + "210 OK\r\na\r\n", CddbReadState::Failed, true},
        {kHeader + "210 OK", CddbReadState::Failed, true},
        {kHeader + "21", CddbReadState::Failed, true},
        {kHeader, CddbReadState::Failed, true},
        {"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n", CddbReadState::Failed, true},
        {"HTTP/1.0 200", CddbReadState::Failed, true},
        {"", CddbReadState::Failed, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.received);
        CCddbReplyReader reader;
        EXPECT_EQ(reader.Append(c.received), CddbReadState::NeedMore);
        EXPECT_EQ(reader.EndOfStream(), c.state);
        EXPECT_EQ(reader.ClosedEarly(), c.closedEarly);
        EXPECT_EQ(reader.Error().empty(), c.state == CddbReadState::Complete);
    }
}

TEST(CddbReplyReader, HttpErrorsAndStrangersAreFailuresNotReplies)
{
    const char* replies[] = {
        "HTTP/1.0 404 Not Found\r\n\r\n<html>Not Found</html>",
        "HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic realm=\"x\"\r\n\r\n",
        "HTTP/1.0 500 Internal Server Error\r\n",
        "HTTP/1.0 302 Found\r\nLocation: http://elsewhere/\r\n\r\n",
        "SSH-2.0-OpenSSH_9.2\r\n",
        "210 OK, a CDDB reply without HTTP\r\n",
        "HTTP/1.0 2000 OK\r\n\r\n210 x\r\n.\r\n",
    };
    for (const char* reply : replies) {
        SCOPED_TRACE(reply);
        CCddbReplyReader reader;
        EXPECT_EQ(reader.Append(reply), CddbReadState::Failed);
        EXPECT_FALSE(reader.ClosedEarly());
        EXPECT_FALSE(reader.Error().empty());
    }
    CCddbReplyReader reader;
    reader.Append("HTTP/1.0 404 Not Found\r\n");
    EXPECT_EQ(reader.HttpStatus(), 404);
    EXPECT_NE(reader.Error().find("404 Not Found"), std::string::npos);
}

TEST(CddbReplyReader, RepliesOverOneMebibyteAreRefused)
{
    // A list that never ends, arriving in socket-sized pieces.
    CCddbReplyReader reader;
    reader.Append(kHeader + "210 OK\r\n");
    const std::string line(4095, 'x');
    std::size_t appended = 0;
    while (reader.Append(line + "\n") == CddbReadState::NeedMore)
        appended += line.size() + 1;
    EXPECT_EQ(reader.State(), CddbReadState::Failed);
    EXPECT_LE(appended, CCddbReplyReader::kMaxReplyBytes);
    EXPECT_GT(appended + kHeader.size() + 4096 + 8, CCddbReplyReader::kMaxReplyBytes);
    EXPECT_LE(reader.Received().size(), CCddbReplyReader::kMaxReplyBytes);
    EXPECT_FALSE(reader.ClosedEarly());

    // A header that never ends is refused the same way.
    CCddbReplyReader endlessHeader;
    endlessHeader.Append("HTTP/1.0 200 OK\r\n");
    while (endlessHeader.Append("X-Padding: " + line + "\r\n") == CddbReadState::NeedMore) {
    }
    EXPECT_EQ(endlessHeader.State(), CddbReadState::Failed);
}
