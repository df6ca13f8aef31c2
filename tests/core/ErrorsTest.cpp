#include "CoreTestSupport.h"

#include "core/ErrorDialog.h"
#include "core/ErrorDirectX.h"
#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"
#include "core/ErrorNoMemory.h"
#include "core/ErrorNoVideoMemory.h"
#include "core/ErrorScreen.h"

using namespace tidewell;
using tidewell::platform::DialogAnswer;
using tidewell::platform::DialogButtons;

class ErrorsTest : public HeadlessFixture {
protected:
    const auto& lastDialog() { return machine->dialogs().shown().back(); }
};

TEST_F(ErrorsTest, PlainKindsShowTheirTitleAndTextWithOk) {
    Error().show();
    EXPECT_EQ(lastDialog().title, "Unexpected Error");
    EXPECT_EQ(lastDialog().text, "Unexpected Error");
    EXPECT_EQ(lastDialog().buttons, DialogButtons::Ok);

    ErrorNoMemory().show();
    EXPECT_EQ(lastDialog().title, "Memory Error");
    EXPECT_EQ(lastDialog().text, "Out of memory");

    ErrorScreen(800, 600).show();
    EXPECT_EQ(lastDialog().title, "Screen Error");
    EXPECT_EQ(lastDialog().text, "Your screen must have resolution 800 x 600 and must have at least 16 bit colour depth");

    ErrorNoVideoMemory().show();
    EXPECT_EQ(lastDialog().title, "Screen Error");
    EXPECT_EQ(lastDialog().text,
              "There is not enough video memory to run the game. The requirement of this game has already been very "
              "low, perhaps you should replace your video card with a new one so that you can enjoy more games.");

    // Kinds without a show of their own present themselves as the base does, also through a base reference.
    ErrorFile file("a.twi", false);
    static_cast<Error&>(file).show();
    EXPECT_EQ(lastDialog().title, "Unexpected Error");
}

TEST_F(ErrorsTest, ModuleIsTakenBetweenLastBackslashAndLastDot) {
    EXPECT_EQ(ErrorGeneric("gameengine\\Game Engine\\SettingManager", 1, 0).module, "SettingManager");
    EXPECT_EQ(ErrorGeneric("gameengine\\Game Engine\\GraphicManager.cpp", 1, 0).module, "GraphicManager");
    EXPECT_EQ(ErrorGeneric("a.b\\Texture.old.cpp", 1, 0).module, "Texture.old");
    EXPECT_EQ(ErrorGeneric("Plain", 1, 0).module, "Plain");
}

TEST_F(ErrorsTest, GenericReportShowsModuleLineAndCodeAndOpensNothingOnNo) {
    ErrorGeneric("gameengine\\Game Engine\\WindowManager", 213, -5).report(addresses::kContact, addresses::kReportPage);
    EXPECT_EQ(lastDialog().title, "Generic Error");
    EXPECT_EQ(lastDialog().buttons, DialogButtons::YesNo);
    EXPECT_EQ(lastDialog().text,
              std::string("An Error Occured:\n\nModule: WindowManager\nCode: 213:-5\n\nWe are sorry for the error, "
                          "please contact ") +
                  addresses::kContact +
                  " to report the error and we will solve it as soon as possible.\n\nDo you want to report the "
                  "error now?");
    EXPECT_TRUE(machine->shell().opened().empty());
}

TEST_F(ErrorsTest, FileReportOnYesOpensTheEncodedReportPage) {
    machine->dialogs().answerWith(DialogAnswer::Yes);
    ErrorFile("company.tws", false).report("x@tidewell.example", "https://tidewell.example/bugs/index.php?message=");
    EXPECT_EQ(lastDialog().title, "File Error");
    EXPECT_NE(lastDialog().text.find("The following file is not found or cannot be opened:\ncompany.tws"),
              std::string::npos);
    EXPECT_NE(lastDialog().text.find("please contact x@tidewell.example to report"), std::string::npos);
    ASSERT_EQ(machine->shell().opened().size(), 1u);
    EXPECT_EQ(machine->shell().opened()[0],
              "https://tidewell.example/bugs/index.php?message=The%20following%20file%20is%20not%20found%20or%20"
              "cannot%20be%20opened:%0D%0Acompany.tws");

    ErrorFile("my ship.twi", true).report("x@tidewell.example", "https://tidewell.example/bugs/index.php?message=");
    EXPECT_EQ(machine->shell().opened()[1],
              "https://tidewell.example/bugs/index.php?message=The%20following%20file%20is%20corrupt:%0D%0Amy%20ship.twi");
    EXPECT_TRUE(machine->window().minimised() || !machine->window().isCreated());
}

TEST_F(ErrorsTest, EncodingKeepsTheMessageWholeInsideTheAddress) {
    EXPECT_EQ(encodeForAddress("a b\nc"), "a%20b%0D%0Ac");
    EXPECT_EQ(encodeForAddress("Module: X\nCode: 1:2"), "Module:%20X%0D%0ACode:%201:2");
    // Characters that would cut or bend the query are escaped; everything else passes unchanged.
    EXPECT_EQ(encodeForAddress("50%&x#y+z\t"), "50%25%26x%23y%2Bz%09");
    EXPECT_EQ(encodeForAddress("\xC3\xA9"), "%C3%A9");
    EXPECT_EQ(encodeForAddress("a/b.c_d-e:f"), "a/b.c_d-e:f");
}

TEST_F(ErrorsTest, PlatformDialogOffersHelpAndOpensItOnYes) {
    ErrorDirectX().show("https://tidewell.example/help");
    EXPECT_EQ(lastDialog().buttons, DialogButtons::YesNo);
    EXPECT_NE(lastDialog().text.find("\n\nhttps://tidewell.example/help\n\n"), std::string::npos);
    EXPECT_NE(lastDialog().text.find("SDL 2"), std::string::npos);
    EXPECT_EQ(lastDialog().text.find("DirectX"), std::string::npos);
    EXPECT_TRUE(machine->shell().opened().empty());

    machine->dialogs().answerWith(DialogAnswer::Yes);
    ErrorDirectX().show("https://tidewell.example/help");
    ASSERT_EQ(machine->shell().opened().size(), 1u);
    EXPECT_EQ(machine->shell().opened()[0], "https://tidewell.example/help");
}

TEST_F(ErrorsTest, OpeningAnAddressLeavesFullScreenAndMinimisesTheGame) {
    ASSERT_TRUE(machine->window().create(true));
    openAddress(addresses::kHomePage);
    EXPECT_FALSE(machine->window().isFullScreen());
    EXPECT_TRUE(machine->window().minimised());
    EXPECT_EQ(machine->shell().opened().back(), addresses::kHomePage);
}

TEST(ErrorsWithoutPlatform, DialogTextStillReachesStandardError) {
    testing::internal::CaptureStderr();
    ErrorNoMemory().show();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Memory Error: Out of memory"), std::string::npos);
}
