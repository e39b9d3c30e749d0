// apply_skin against stand-in engines, each test in a fresh run directory:
// the call the engine receives, binding by full path and by bare name, the
// binding failure, the unbalanced entry, and the hardened search order.
#include "skin/carried_data.h"
#include "skin/engine_binding.h"
#include "skin/skin_engine.h"
#include "tests/win/skin/skin_test_paths.h"
#include "tests/win/skin/support.h"
#include "tests/win/skin/test_engine_record.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace skin_test;

const std::wstring binding_failed = L"找不到动态链接库 SkinH_EL.dll 或其中的入口 SkinH_AttachRes。";
const std::wstring unbalanced = L"调用外部动态链接库入口后发现堆栈不平衡。";

std::optional<fatal_report> apply_and_catch(int n)
{
    try {
        skin::apply_skin(n);
    } catch (const fatal_report& report) {
        return report;
    }
    return std::nullopt;
}

const test_engine_record* engine_record()
{
    HMODULE module = ::GetModuleHandleW(L"SkinH_EL.dll");
    if (!module) return nullptr;
    using record_fn = const test_engine_record* (*)();
    const auto record = reinterpret_cast<record_fn>(reinterpret_cast<void*>(::GetProcAddress(module, "TestEngine_LastCall")));
    return record ? record() : nullptr;
}

void copy_engine(const char* built, const std::wstring& to)
{
    ASSERT_TRUE(::CopyFileW(build_path(built).c_str(), to.c_str(), TRUE)) << ::GetLastError();
}

// Restores an environment variable when it goes.
class scoped_environment {
public:
    scoped_environment(const wchar_t* name, const std::wstring& value) : name_(name)
    {
        wchar_t old[32768];
        const DWORD n = ::GetEnvironmentVariableW(name, old, 32768);
        if (n > 0 && n < 32768) old_ = std::wstring(old, n);
        ::SetEnvironmentVariableW(name, value.c_str());
    }
    ~scoped_environment() { ::SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }

private:
    const wchar_t* name_;
    std::optional<std::wstring> old_;
};

class ApplySkin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(loaded_engine_path().empty()) << "an engine is still loaded from an earlier test";
        set_run_directory(dir.path());
    }
    void TearDown() override
    {
        run_exit_steps();
        skin::release_skin_engine();
        EXPECT_TRUE(loaded_engine_path().empty()) << "the engine stays loaded after exit processing";
    }

    std::wstring library() const { return dir / L"SkinH_EL.dll"; }

    temp_dir dir;
};

TEST_F(ApplySkin, InstallsBindsAndHandsTheEngineACopyOfTheSkin)
{
    const auto carried = skin::carried_skin(8);
    ASSERT_FALSE(carried.empty());
    const std::byte first = carried[0];

    ASSERT_FALSE(apply_and_catch(8));

    // Written first, then loaded from the run directory by its full path.
    EXPECT_NE(::GetFileAttributesW(library().c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_TRUE(same_path(loaded_engine_path(), library())) << loaded_engine_path();
    EXPECT_EQ(loaded_engine_identity(), L"carried");

    const test_engine_record* call = engine_record();
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->calls, 1);
    EXPECT_EQ(call->size, static_cast<int>(carried.size()));
    EXPECT_EQ(call->hash, fnv1a(carried)) << "the engine saw other bytes than skin 8";
    EXPECT_NE(call->data, static_cast<const void*>(carried.data())) << "the engine got the carried bytes, not a copy";
    EXPECT_NE(call->text, nullptr);
    EXPECT_EQ(call->text_first, '\0');
    EXPECT_EQ(call->zeros[0], 0);
    EXPECT_EQ(call->zeros[1], 0);
    EXPECT_EQ(call->zeros[2], 0);
    // The engine wrote to its buffer; the carried skin is untouched.
    EXPECT_EQ(skin::carried_skin(8)[0], first);

    // Releasing the engine is left to exit processing, registered once.
    EXPECT_EQ(exit_step_count(), 1u);
    ASSERT_FALSE(apply_and_catch(3));
    EXPECT_EQ(call->calls, 2) << "the bound entry is called again without reloading";
    EXPECT_EQ(call->hash, fnv1a(skin::carried_skin(3)));
    EXPECT_EQ(exit_step_count(), 1u);

    run_exit_steps();
    EXPECT_TRUE(loaded_engine_path().empty());
    // The file stays, hidden, after the engine is released.
    EXPECT_NE(::GetFileAttributesW(library().c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(ApplySkin, AnExistingLibraryIsLoadedUnchanged)
{
    copy_engine(SKIN_TEST_OTHER_ENGINE, library());
    const auto before = read_file(library());
    const DWORD attributes = ::GetFileAttributesW(library().c_str());

    ASSERT_FALSE(apply_and_catch(8));
    EXPECT_EQ(loaded_engine_identity(), L"other");
    EXPECT_EQ(::GetFileAttributesW(library().c_str()), attributes) << "a visible library stays visible";
    run_exit_steps();
    EXPECT_EQ(read_file(library()), before);
}

TEST_F(ApplySkin, BindingFailuresEndTheProgramWithOneMessage)
{
    struct row {
        const char* name;
        void (*prepare)(const std::wstring& library);
    };
    const row rows[] = {
        {"a directory named SkinH_EL.dll", [](const std::wstring& l) { ::CreateDirectoryW(l.c_str(), nullptr); }},
        {"a library without the entry", [](const std::wstring& l) { copy_engine(SKIN_TEST_NO_ENTRY_ENGINE, l); }},
        {"a damaged library", [](const std::wstring& l) { write_file(l, bytes_of(std::string_view("MZ\x90\0\3", 5))); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        temp_dir here;
        set_run_directory(here.path());
        r.prepare(here / L"SkinH_EL.dll");

        const auto report = apply_and_catch(8);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->message, binding_failed);
        EXPECT_EQ(report->code, 0);
        EXPECT_TRUE(loaded_engine_path().empty()) << "what was loaded is released before the report";
        EXPECT_EQ(exit_step_count(), 0u);
    }
}

TEST_F(ApplySkin, AnEntryThatLeavesTheStackUnbalancedEndsWithCode6)
{
    std::vector<const char*> engines = {SKIN_TEST_UNBALANCED_ENGINE};
#ifdef SKIN_TEST_REAL_UNBALANCED_ENGINE
    engines.push_back(SKIN_TEST_REAL_UNBALANCED_ENGINE);
#endif
    for (const char* engine : engines) {
        SCOPED_TRACE(engine);
        temp_dir here;
        set_run_directory(here.path());
        copy_engine(engine, here / L"SkinH_EL.dll");

        const auto report = apply_and_catch(8);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->message, unbalanced);
        EXPECT_EQ(report->code, 6);
        run_exit_steps();
        EXPECT_TRUE(loaded_engine_path().empty());
    }
}

TEST_F(ApplySkin, BareNameFallbackFindsTheLibraryOnPath)
{
    // The run directory holds a directory of the library's name: nothing is
    // written there and the load by full path fails.
    ASSERT_TRUE(::CreateDirectoryW(library().c_str(), nullptr));
    temp_dir elsewhere;
    copy_engine(SKIN_TEST_OTHER_ENGINE, elsewhere / L"SkinH_EL.dll");

    wchar_t path[32768];
    const DWORD n = ::GetEnvironmentVariableW(L"PATH", path, 32768);
    scoped_environment on_path(L"PATH", elsewhere.path() + L';' + std::wstring(path, n < 32768 ? n : 0));

    ASSERT_FALSE(apply_and_catch(8));
    EXPECT_TRUE(same_path(loaded_engine_path(), elsewhere / L"SkinH_EL.dll")) << loaded_engine_path();
    EXPECT_EQ(engine_record()->calls, 1);
    run_exit_steps();
}

TEST_F(ApplySkin, HardenedSearchOrderIgnoresALibraryPlantedInTheCurrentDirectory)
{
    ASSERT_TRUE(::CreateDirectoryW(library().c_str(), nullptr));
    temp_dir planted;
    copy_engine(SKIN_TEST_OTHER_ENGINE, planted / L"SkinH_EL.dll");

    wchar_t previous[MAX_PATH * 2];
    ::GetCurrentDirectoryW(static_cast<DWORD>(std::size(previous)), previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(planted.path().c_str()));

    // Without the hardening the search by bare name takes the planted library.
    const auto unhardened = apply_and_catch(8);
    const std::wstring loaded = loaded_engine_path();
    run_exit_steps();

    skin::harden_dll_search_order();
    const auto hardened = apply_and_catch(8);
    const std::wstring loaded_hardened = loaded_engine_path();
    run_exit_steps();

    ::SetDllDirectoryW(nullptr);
    ::SetCurrentDirectoryW(previous);

    EXPECT_FALSE(unhardened) << "the current directory was not searched even without hardening";
    EXPECT_TRUE(same_path(loaded, planted / L"SkinH_EL.dll")) << loaded;
    ASSERT_TRUE(hardened) << "the planted library was loaded from " << testing::PrintToString(loaded_hardened);
    EXPECT_EQ(hardened->message, binding_failed);
}

TEST_F(ApplySkin, HardenedSearchOrderStillSearchesPath)
{
    ASSERT_TRUE(::CreateDirectoryW(library().c_str(), nullptr));
    temp_dir elsewhere;
    copy_engine(SKIN_TEST_OTHER_ENGINE, elsewhere / L"SkinH_EL.dll");
    wchar_t path[32768];
    const DWORD n = ::GetEnvironmentVariableW(L"PATH", path, 32768);
    scoped_environment on_path(L"PATH", elsewhere.path() + L';' + std::wstring(path, n < 32768 ? n : 0));

    skin::harden_dll_search_order();
    const auto report = apply_and_catch(8);
    const std::wstring loaded = loaded_engine_path();
    run_exit_steps();
    ::SetDllDirectoryW(nullptr);

    EXPECT_FALSE(report);
    EXPECT_TRUE(same_path(loaded, elsewhere / L"SkinH_EL.dll")) << loaded;
}

TEST_F(ApplySkin, NumberOutsideTheCatalogueAppliesNothing)
{
    ASSERT_FALSE(apply_and_catch(34));
    ASSERT_FALSE(apply_and_catch(0));
    // The engine is still installed, but not bound: there was nothing to hand it.
    EXPECT_NE(::GetFileAttributesW(library().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(loaded_engine_path().empty());
}

}  // namespace
