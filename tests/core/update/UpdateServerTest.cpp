#include "update/UpdateServer.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ServerCase {
    const char *name;
    QByteArray options;     // the content of Options.ini; empty: no file
    const char *versionUrl; // nullptr: no server
    bool secure;
};

class UpdateServerOptions : public ::testing::TestWithParam<ServerCase> {};

TEST_P(UpdateServerOptions, AddressComesFromTheOptionsFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"Options.ini"_s);
    if (!GetParam().options.isEmpty()) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(GetParam().options);
    }
    const UpdateServer server = UpdateServer::fromOptions(file);
    if (!GetParam().versionUrl) {
        EXPECT_FALSE(server.isSet());
        EXPECT_TRUE(server.versionFile().isEmpty());
        return;
    }
    ASSERT_TRUE(server.isSet());
    EXPECT_EQ(server.versionFile().toString(), QString::fromUtf8(GetParam().versionUrl));
    EXPECT_EQ(server.isSecure(), GetParam().secure);
}

INSTANTIATE_TEST_SUITE_P(
    Options, UpdateServerOptions,
    ::testing::Values(
        ServerCase{"NoFile", "", nullptr, false},
        ServerCase{"NoKey", "[Arduino]\r\nPath=/usr/bin\r\n", nullptr, false},
        ServerCase{"EmptyKey", "[Update]\r\nBaseUrl=\r\n", nullptr, false},
        ServerCase{"Folder", "[update]\r\nbaseurl=https://example.org/vimsel\r\n",
                   "https://example.org/vimsel/version.ver", true},
        ServerCase{"FolderWithSlash", "[Update]\r\nBaseUrl=http://127.0.0.1:8080/files/\r\n",
                   "http://127.0.0.1:8080/files/version.ver", false},
        ServerCase{"NotAWebAddress", "[Update]\r\nBaseUrl=ftp://example.org/vimsel\r\n", nullptr, false},
        ServerCase{"NotAnAddress", "[Update]\r\nBaseUrl=vimsel\r\n", nullptr, false}),
    [](const ::testing::TestParamInfo<ServerCase> &info) { return std::string(info.param.name); });

TEST(UpdateServer, FilesLieBesideTheVersionFile)
{
    const UpdateServer server(QUrl(u"https://example.org/vimsel/"_s));
    EXPECT_EQ(server.installer().toString(), u"https://example.org/vimsel/MVsetup.exe"_s);
    EXPECT_EQ(server.installerDigest().toString(), u"https://example.org/vimsel/MVsetup.exe.sha256"_s);
    EXPECT_EQ(server.address(), u"https://example.org/vimsel/"_s);
}

} // namespace
