// The array collections: growth, insertion, removal, copies, element access
// and run-time class, for every element type the framework offers.
#include <afxwin.h>
#include <afxtempl.h>
#include <string.h>
#include <string>
#include <type_traits>
#include <vector>
#include <gtest/gtest.h>

namespace {

// One element type per collection, with a way to make distinct values.
char g_cells[64];
CObject *ObjAt(int i)
{
    static struct Obj : CObject {
    } objs[64];
    return &objs[i + 1];
}
#define QRV_ARRAY_KIND(KIND, ARRAY, ELEMENT, MAKE)                                                           \
    struct KIND {                                                                                            \
        using A = ARRAY;                                                                                     \
        using T = ELEMENT;                                                                                   \
        static T Make(int i) { return MAKE; }                                                                \
        static const char *Name() { return #ARRAY; }                                                         \
    };
QRV_ARRAY_KIND(ByteArr, CByteArray, BYTE, (BYTE)(i + 1))
QRV_ARRAY_KIND(WordArr, CWordArray, WORD, (WORD)(1000 + i))
QRV_ARRAY_KIND(DWordArr, CDWordArray, DWORD, 0x10000u + (DWORD)i)
QRV_ARRAY_KIND(UIntArr, CUIntArray, UINT, 70000u + (UINT)i)
QRV_ARRAY_KIND(PtrArr, CPtrArray, void *, &g_cells[i + 1])
QRV_ARRAY_KIND(ObArr, CObArray, CObject *, ObjAt(i))
QRV_ARRAY_KIND(StringArr, CStringArray, CString, CString(std::to_string(i).c_str()))

// The elements of an array as GetAt reads them.
template <class A> auto Values(const A &a)
{
    std::vector<std::decay_t<decltype(a.GetAt(0))>> v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v.push_back(a.GetAt(i));
    return v;
}

template <class P> class ArrayOf : public ::testing::Test {
protected:
    using T = typename P::T;
    // Make(i) for each i, a zero element for -1.
    static std::vector<T> Of(std::initializer_list<int> ids)
    {
        std::vector<T> v;
        for (int i : ids)
            v.push_back(i < 0 ? T() : P::Make(i));
        return v;
    }
    static void Fill(typename P::A &a, int from, int to)
    {
        for (int i = from; i < to; ++i)
            a.Add(P::Make(i));
    }
};
using ArrayKinds = ::testing::Types<ByteArr, WordArr, DWordArr, UIntArr, PtrArr, ObArr, StringArr>;
TYPED_TEST_SUITE(ArrayOf, ArrayKinds);

TYPED_TEST(ArrayOf, RuntimeClassIsItsOwnAndAddGrowsIt)
{
    typename TypeParam::A a;
    CObject *pObj = &a;
    CRuntimeClass *pClass = pObj->GetRuntimeClass();
    ASSERT_NE(nullptr, pClass);
    EXPECT_STREQ(TypeParam::Name(), pClass->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CObject), pClass->m_pBaseClass);
    EXPECT_TRUE(pObj->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(pObj->IsKindOf(pClass));
    EXPECT_FALSE(CObList().IsKindOf(pClass));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CObList, pObj));
    // Add grows it; the elements are reachable every way.
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(-1, a.GetUpperBound());
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(i, a.Add(TypeParam::Make(i)));
    EXPECT_FALSE(a.IsEmpty());
    EXPECT_EQ(40, a.GetCount());
    EXPECT_EQ(39, a.GetUpperBound());
    const typename TypeParam::A &c = a;
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(TypeParam::Make(i), c[i]);
        EXPECT_EQ(TypeParam::Make(i), c.GetData()[i]);
        EXPECT_EQ(&c.GetData()[i], &c.ElementAt(i));
    }
    a.SetAt(3, TypeParam::Make(30));
    a.ElementAt(4) = TypeParam::Make(31);
    a[5] = TypeParam::Make(32);
    a.GetData()[6] = TypeParam::Make(33);
    a.FreeExtra();
    EXPECT_EQ(this->Of({0, 1, 2, 30, 31, 32, 33, 7}),
              std::vector<typename TypeParam::T>(c.GetData(), c.GetData() + 8));
    EXPECT_EQ(TypeParam::Make(39), a[39]);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(nullptr, a.GetData());
}

TYPED_TEST(ArrayOf, NewElementsAreZeroAndTheRestShifts)
{
    typename TypeParam::A a;
    a.SetSize(3, 16);
    EXPECT_EQ(this->Of({-1, -1, -1}), Values(a));
    a.SetAtGrow(7, TypeParam::Make(7));
    a.SetAtGrow(1, TypeParam::Make(1));
    a.SetAtGrow(-1, TypeParam::Make(2));
    EXPECT_EQ(this->Of({-1, 1, -1, -1, -1, -1, -1, 7}), Values(a));
    a.SetSize(2);
    EXPECT_EQ(this->Of({-1, 1}), Values(a));
    a.SetSize(0);
    EXPECT_TRUE(a.IsEmpty());
    // Inserting and removing shift the rest.
    this->Fill(a, 0, 4);
    a.InsertAt(1, TypeParam::Make(9), 3);
    a.InsertAt(1, TypeParam::Make(8), 0);
    EXPECT_EQ(this->Of({0, 9, 9, 9, 1, 2, 3}), Values(a));
    a.InsertAt(9, TypeParam::Make(5)); // past the end: the gap is zero
    EXPECT_EQ(this->Of({0, 9, 9, 9, 1, 2, 3, -1, -1, 5}), Values(a));
    a.RemoveAt(1, 3);
    a.RemoveAt(5, 100); // clamped to the end
    a.RemoveAt(5);
    a.RemoveAt(-1);
    EXPECT_EQ(this->Of({0, 1, 2, 3, -1}), Values(a));
    a.RemoveAt(0);
    EXPECT_EQ(this->Of({1, 2, 3, -1}), Values(a));
}

TYPED_TEST(ArrayOf, ArraysOfTheSameClassAppendCopyAndInsert)
{
    using A = typename TypeParam::A;
    A a, b;
    this->Fill(a, 0, 3);
    this->Fill(b, 10, 12);
    EXPECT_EQ(3, a.Append(b));
    EXPECT_EQ(5, a.Append(a)); // onto itself: unchanged
    EXPECT_EQ(this->Of({0, 1, 2, 10, 11}), Values(a));
    a.InsertAt(1, &b);
    a.InsertAt(0, static_cast<const A *>(nullptr));
    a.InsertAt(0, &a);
    EXPECT_EQ(this->Of({0, 10, 11, 1, 2, 10, 11}), Values(a));

    A copy;
    copy.Add(TypeParam::Make(40));
    copy.Copy(a);
    copy.Copy(copy);
    EXPECT_EQ(Values(a), Values(copy));
    EXPECT_NE(a.GetData(), copy.GetData());
    b.Copy(A());
    EXPECT_TRUE(b.IsEmpty());
}

// What the array of texts adds to the others: plain pointers taken as texts,
// and an element of the array itself added or inserted while the array grows.
TEST(StringArray, PlainPointersAndItsOwnElementsAreTakenAsTexts)
{
    CStringArray a;
    EXPECT_EQ(0, a.Add("eins"));
    EXPECT_EQ(1, a.Add(CString("zwei")));
    a.SetAtGrow(3, "vier");
    EXPECT_TRUE(a[2].IsEmpty());
    a.SetAt(2, "drei");
    a.SetAt(0, CString("null"));
    a.SetAtGrow(1, CString("eins"));
    a.InsertAt(0, "x", 2);
    a.InsertAt(4, CString("y"));
    EXPECT_EQ((std::vector<CString>{"x", "x", "null", "eins", "y", "drei", "vier"}), Values(a));
    a.Add(a[0]);
    a.InsertAt(0, a[6], 2);
    EXPECT_EQ((std::vector<CString>{"vier", "vier", "x", "x", "null", "eins", "y", "drei", "vier", "x"}),
              Values(a));
}

struct Item : CObject {
    int n = 0;
};

// The typed faces hand out the pointers as their type and take arrays of
// their own kind; the run-time class stays the base's.
TEST(TypedPtrArray, TypedFacesOnPointerArrays)
{
    int values[3] = {1, 2, 3};
    CTypedPtrArray<CPtrArray, int *> ints, more;
    ints.Add(&values[0]);
    ints.SetAtGrow(2, &values[2]);
    ints.ElementAt(1) = &values[1];
    more.Add(&values[2]);
    EXPECT_EQ(3, ints.Append(more));
    ints.InsertAt(0, &more);
    more.Copy(ints);
    EXPECT_EQ((std::vector<int *>{&values[2], &values[0], &values[1], &values[2], &values[2]}), Values(more));
    EXPECT_EQ(2, *ints[2]);
    EXPECT_EQ(3, *ints.GetData()[0]);
    EXPECT_STREQ("CPtrArray", ints.GetRuntimeClass()->m_lpszClassName);

    Item items[2];
    items[1].n = 7;
    CTypedPtrArray<CObArray, Item *> objs;
    objs.Add(&items[0]);
    objs.InsertAt(1, &items[1]);
    EXPECT_EQ(7, objs[1]->n);
    EXPECT_EQ(&items[0], objs.GetAt(0));
    EXPECT_STREQ("CObArray", objs.GetRuntimeClass()->m_lpszClassName);
}

} // namespace
