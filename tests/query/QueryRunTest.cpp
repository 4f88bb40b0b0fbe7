// One "Generate" run: reset, domain check, bind, search, release.
#include "query/QueryRun.h"

#include "support/OtherProgramInFront.h"
#include "support/QueryDialogFixture.h"

namespace {

class QueryRunTest : public QueryDialogFixture {
protected:
    void SetUp() override
    {
        QueryDialogFixture::SetUp();
        SetColumns({L"NAME", L"DESCRIPTION"});
        Type(IDC_FILTER, L"(objectClass=user)");
    }

    // Leaves rows and a count behind, as an earlier query would.
    void FillAsBefore()
    {
        list.InsertItem(0, L"old");
        list.InsertItem(1, L"older");
        Type(IDC_OBJECT_COUNT, L"2");
    }
};

TEST_F(QueryRunTest, EmptyDomainAsksForCredentialsAfterResettingTheList)
{
    FillAsBefore();
    Type(IDC_USER, L"Administrator");
    Type(IDC_PASSWORD, L"pw");
    RunQuery(dialog);

    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Enter all credentials.");
    EXPECT_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(Count(), L"0");
    EXPECT_TRUE(api.netDcLookups.empty());
    EXPECT_TRUE(api.opens.empty());
}

TEST_F(QueryRunTest, WithAnotherProgramInFrontTheBoxIsOwnedByTheMainWindow)
{
    // An unowned box would leave the dialog enabled under it, open to a second Generate.
    OtherProgramInFront other;
    ASSERT_TRUE(other.InFront());
    RunQuery(dialog);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].owner, dialog.m_hWnd);
}

TEST_F(QueryRunTest, SuccessfulRunFillsTheListAndReleasesTheInterface)
{
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    directory.AddTextRow({{L"cn", L"alice"}, {L"description", L"a, b"}});
    directory.AddTextRow({{L"cn", L"bob"}});
    RunQuery(dialog);

    EXPECT_EQ(RowTexts(0), (std::vector<std::wstring>{L"alice", L"a  b"}));
    EXPECT_EQ(RowTexts(1), (std::vector<std::wstring>{L"bob", L"-"}));
    EXPECT_EQ(Count(), L"2");
    EXPECT_EQ(directory.refCount, 1) << "interface not released";
    EXPECT_EQ(directory.closedHandles, 1);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(QueryRunTest, SecondRunReplacesTheRowsOfTheFirst)
{
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    directory.AddTextRow({{L"cn", L"alice"}});
    directory.AddTextRow({{L"cn", L"bob"}});
    RunQuery(dialog);
    directory.rows.pop_back();
    RunQuery(dialog);
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(Cell(0, 0), L"alice");
    EXPECT_EQ(Count(), L"1");
    EXPECT_EQ(directory.refCount, 1);
}

TEST_F(QueryRunTest, FailedBindLeavesTheListEmptyAndTheCountAtZero)
{
    FillAsBefore();
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    api.openResult = static_cast<HRESULT>(0x800720A2);
    api.openObject = nullptr;
    RunQuery(dialog);
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(Count(), L"0");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Enter valid credentials of \"DC1\"");
    EXPECT_TRUE(directory.requestedAttributes.empty());
}

TEST_F(QueryRunTest, UnknownDomainLeavesTheListEmpty)
{
    FillAsBefore();
    Type(IDC_DOMAIN_NAME, L"nosuch");
    api.netDcResult = NERR_DCNotFound;
    RunQuery(dialog);
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(Count(), L"0");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Invalid domain name.");
}

} // namespace
