// The array collections: growth, insertion, removal, copies, element access
// and run-time class, for every element type the framework offers.
#include <afxwin.h>
#include <afxtempl.h>
#include <string.h>
#include <type_traits>
#include <utility>
#include <gtest/gtest.h>

namespace {

// One element type per collection, with a way to make distinct values.
struct ByteArr { using A = CByteArray; using T = BYTE; static T Make(int i) { return (BYTE)(i + 1); } static const char* Name() { return "CByteArray"; } };
struct WordArr { using A = CWordArray; using T = WORD; static T Make(int i) { return (WORD)(1000 + i); } static const char* Name() { return "CWordArray"; } };
struct DWordArr { using A = CDWordArray; using T = DWORD; static T Make(int i) { return 0x10000u + (DWORD)i; } static const char* Name() { return "CDWordArray"; } };
struct UIntArr { using A = CUIntArray; using T = UINT; static T Make(int i) { return 70000u + (UINT)i; } static const char* Name() { return "CUIntArray"; } };
char g_cells[64];
struct PtrArr { using A = CPtrArray; using T = void*; static T Make(int i) { return &g_cells[i + 1]; } static const char* Name() { return "CPtrArray"; } };
CObject* ObjAt(int i)
{
    static struct Obj : CObject {} objs[64];
    return &objs[i + 1];
}
struct ObArr { using A = CObArray; using T = CObject*; static T Make(int i) { return ObjAt(i); } static const char* Name() { return "CObArray"; } };

template <class P>
class ArrayOf : public ::testing::Test {};
using ArrayKinds = ::testing::Types<ByteArr, WordArr, DWordArr, UIntArr, PtrArr, ObArr>;
TYPED_TEST_SUITE(ArrayOf, ArrayKinds);

// The members keep MFC's signatures: elements by value, references and
// pointers into the storage, other arrays of the same class.
template <class A, class T>
constexpr bool SignaturesMatch()
{
    using std::is_same;
    A* a = nullptr;
    const A* c = nullptr;
    return is_same<decltype(c->GetAt(0)), T>::value && is_same<decltype((*c)[0]), T>::value &&
           is_same<decltype((*a)[0]), T&>::value && is_same<decltype(a->ElementAt(0)), T&>::value &&
           is_same<decltype(c->ElementAt(0)), const T&>::value && is_same<decltype(a->GetData()), T*>::value &&
           is_same<decltype(c->GetData()), const T*>::value && is_same<decltype(c->GetSize()), INT_PTR>::value &&
           is_same<decltype(c->GetCount()), INT_PTR>::value && is_same<decltype(c->GetUpperBound()), INT_PTR>::value &&
           is_same<decltype(c->IsEmpty()), BOOL>::value && is_same<decltype(a->Add(T())), INT_PTR>::value &&
           is_same<decltype(a->Append(*c)), INT_PTR>::value && is_same<decltype(a->Copy(*c)), void>::value &&
           is_same<decltype(a->InsertAt(0, c)), void>::value && is_same<decltype(a->InsertAt(0, T(), 2)), void>::value &&
           is_same<decltype(a->RemoveAt(0, 1)), void>::value && is_same<decltype(a->SetAtGrow(0, T())), void>::value &&
           is_same<decltype(a->SetSize(0, 1)), void>::value && std::is_base_of<CObject, A>::value &&
           !std::is_copy_constructible<A>::value && std::is_default_constructible<A>::value;
}
static_assert(SignaturesMatch<CByteArray, BYTE>(), "CByteArray");
static_assert(SignaturesMatch<CWordArray, WORD>(), "CWordArray");
static_assert(SignaturesMatch<CDWordArray, DWORD>(), "CDWordArray");
static_assert(SignaturesMatch<CUIntArray, UINT>(), "CUIntArray");
static_assert(SignaturesMatch<CPtrArray, void*>(), "CPtrArray");
static_assert(SignaturesMatch<CObArray, CObject*>(), "CObArray");

TYPED_TEST(ArrayOf, RuntimeClassIsItsOwnWithCObjectAsBase)
{
    using A = typename TypeParam::A;
    A a;
    CObject* pObj = &a;
    CRuntimeClass* pClass = pObj->GetRuntimeClass();
    ASSERT_NE(nullptr, pClass);
    EXPECT_STREQ(TypeParam::Name(), pClass->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CObject), pClass->m_pBaseClass);
    EXPECT_TRUE(pObj->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(pObj->IsKindOf(pClass));
    CStringArray other;
    EXPECT_FALSE(other.IsKindOf(pClass));
    EXPECT_FALSE(pObj->IsKindOf(RUNTIME_CLASS(CStringArray)));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CStringArray, pObj));
}

TYPED_TEST(ArrayOf, AddGrowsAndElementsAreReachableEveryWay)
{
    using A = typename TypeParam::A;
    A a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(0, a.GetSize());
    EXPECT_EQ(-1, a.GetUpperBound());
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(i, a.Add(TypeParam::Make(i)));
    EXPECT_FALSE(a.IsEmpty());
    EXPECT_EQ(40, a.GetSize());
    EXPECT_EQ(40, a.GetCount());
    EXPECT_EQ(39, a.GetUpperBound());
    const A& c = a;
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(TypeParam::Make(i), c.GetAt(i));
        EXPECT_EQ(TypeParam::Make(i), c[i]);
        EXPECT_EQ(TypeParam::Make(i), c.GetData()[i]);
        EXPECT_EQ(&c.GetData()[i], &c.ElementAt(i));
    }
    a.SetAt(3, TypeParam::Make(30));
    EXPECT_EQ(TypeParam::Make(30), c[3]);
    a.ElementAt(4) = TypeParam::Make(31);
    EXPECT_EQ(TypeParam::Make(31), c.GetAt(4));
    a[5] = TypeParam::Make(32);
    EXPECT_EQ(TypeParam::Make(32), c.ElementAt(5));
    a.GetData()[6] = TypeParam::Make(33);
    EXPECT_EQ(TypeParam::Make(33), a.GetAt(6));
    a.FreeExtra();
    EXPECT_EQ(40, a.GetSize());
    EXPECT_EQ(TypeParam::Make(39), a[39]);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(nullptr, a.GetData());
}

TYPED_TEST(ArrayOf, NewElementsAreZeroAndSetSizeShrinks)
{
    using A = typename TypeParam::A;
    using T = typename TypeParam::T;
    A a;
    a.SetSize(3, 16);
    ASSERT_EQ(3, a.GetSize());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(T(), a[i]);
    a.SetAtGrow(7, TypeParam::Make(7));
    ASSERT_EQ(8, a.GetSize());
    for (int i = 3; i < 7; ++i)
        EXPECT_EQ(T(), a[i]);
    EXPECT_EQ(TypeParam::Make(7), a[7]);
    a.SetAtGrow(1, TypeParam::Make(1));
    EXPECT_EQ(8, a.GetSize());
    EXPECT_EQ(TypeParam::Make(1), a[1]);
    a.SetAtGrow(-1, TypeParam::Make(2));
    EXPECT_EQ(8, a.GetSize());
    a.SetSize(2);
    ASSERT_EQ(2, a.GetSize());
    EXPECT_EQ(TypeParam::Make(1), a[1]);
    a.SetSize(0);
    EXPECT_TRUE(a.IsEmpty());
}

TYPED_TEST(ArrayOf, InsertAndRemoveShiftTheRest)
{
    using A = typename TypeParam::A;
    A a;
    for (int i = 0; i < 4; ++i)
        a.Add(TypeParam::Make(i));
    a.InsertAt(1, TypeParam::Make(9), 3);  // 0 9 9 9 1 2 3
    ASSERT_EQ(7, a.GetSize());
    EXPECT_EQ(TypeParam::Make(0), a[0]);
    EXPECT_EQ(TypeParam::Make(9), a[1]);
    EXPECT_EQ(TypeParam::Make(9), a[3]);
    EXPECT_EQ(TypeParam::Make(1), a[4]);
    EXPECT_EQ(TypeParam::Make(3), a[6]);
    a.InsertAt(1, TypeParam::Make(8), 0);
    EXPECT_EQ(7, a.GetSize());
    a.InsertAt(9, TypeParam::Make(5));  // past the end: the gap is zero
    ASSERT_EQ(10, a.GetSize());
    EXPECT_EQ(typename TypeParam::T(), a[7]);
    EXPECT_EQ(TypeParam::Make(5), a[9]);

    a.RemoveAt(1, 3);  // 0 1 2 3 0 0 5
    ASSERT_EQ(7, a.GetSize());
    EXPECT_EQ(TypeParam::Make(1), a[1]);
    EXPECT_EQ(TypeParam::Make(3), a[3]);
    a.RemoveAt(5, 100);  // clamped to the end
    ASSERT_EQ(5, a.GetSize());
    a.RemoveAt(5);
    a.RemoveAt(-1);
    EXPECT_EQ(5, a.GetSize());
    a.RemoveAt(0);
    EXPECT_EQ(TypeParam::Make(1), a[0]);
    EXPECT_EQ(4, a.GetSize());
}

TYPED_TEST(ArrayOf, ArraysOfTheSameClassAppendCopyAndInsert)
{
    using A = typename TypeParam::A;
    A a, b;
    for (int i = 0; i < 3; ++i)
        a.Add(TypeParam::Make(i));
    for (int i = 10; i < 12; ++i)
        b.Add(TypeParam::Make(i));
    EXPECT_EQ(3, a.Append(b));  // 0 1 2 10 11
    ASSERT_EQ(5, a.GetSize());
    EXPECT_EQ(TypeParam::Make(10), a[3]);
    EXPECT_EQ(5, a.Append(a));  // onto itself: unchanged
    EXPECT_EQ(5, a.GetSize());

    a.InsertAt(1, &b);  // 0 10 11 1 2 10 11
    ASSERT_EQ(7, a.GetSize());
    EXPECT_EQ(TypeParam::Make(10), a[1]);
    EXPECT_EQ(TypeParam::Make(11), a[2]);
    EXPECT_EQ(TypeParam::Make(1), a[3]);
    a.InsertAt(0, static_cast<const A*>(nullptr));
    a.InsertAt(0, &a);
    EXPECT_EQ(7, a.GetSize());

    A copy;
    copy.Add(TypeParam::Make(40));
    copy.Copy(a);
    ASSERT_EQ(7, copy.GetSize());
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(a[i], copy[i]);
    EXPECT_NE(a.GetData(), copy.GetData());
    copy.Copy(copy);
    EXPECT_EQ(7, copy.GetSize());
    b.Copy(A());
    EXPECT_TRUE(b.IsEmpty());
}

TEST(StringArray, TextsAsStringsOrPlainPointers)
{
    static_assert(std::is_same<decltype(std::declval<const CStringArray&>().GetAt(0)), const CString&>::value, "");
    static_assert(std::is_same<decltype(std::declval<const CStringArray&>()[0]), const CString&>::value, "");
    static_assert(std::is_same<decltype(std::declval<CStringArray&>()[0]), CString&>::value, "");
    static_assert(std::is_same<decltype(std::declval<CStringArray&>().GetData()), CString*>::value, "");
    static_assert(!std::is_copy_constructible<CStringArray>::value, "");

    CStringArray a;
    EXPECT_EQ(0, a.Add("eins"));
    EXPECT_EQ(1, a.Add(CString("zwei")));
    a.SetAtGrow(3, "vier");
    ASSERT_EQ(4, a.GetSize());
    EXPECT_TRUE(a[2].IsEmpty());
    a.SetAt(2, "drei");
    EXPECT_STREQ("drei", a.GetAt(2));
    a.SetAt(0, CString("null"));
    a.SetAtGrow(1, CString("eins"));
    a.InsertAt(0, "x", 2);
    a.InsertAt(4, CString("y"));
    ASSERT_EQ(7, a.GetSize());
    const char* expect[] = {"x", "x", "null", "eins", "y", "drei", "vier"};
    for (int i = 0; i < 7; ++i)
        EXPECT_STREQ(expect[i], a[i]) << i;
    EXPECT_EQ(&a.GetAt(3), &a.ElementAt(3));
    a.ElementAt(3) += "!";
    EXPECT_STREQ("eins!", a.GetData()[3]);

    // An element of the array itself may be what is added or inserted.
    a.Add(a[0]);
    EXPECT_STREQ("x", a[7]);
    a.InsertAt(0, a[6], 2);
    EXPECT_STREQ("vier", a[0]);
    EXPECT_STREQ("vier", a[1]);
    EXPECT_EQ(10, a.GetSize());

    CStringArray b;
    b.Add("b");
    EXPECT_EQ(1, b.Append(a));
    EXPECT_EQ(11, b.GetSize());
    b.InsertAt(1, &a);
    EXPECT_EQ(21, b.GetSize());
    EXPECT_STREQ("vier", b[1]);
    a.RemoveAt(0, 9);
    EXPECT_EQ(1, a.GetSize());
    EXPECT_STREQ("x", a[0]);
    b.Copy(a);
    EXPECT_EQ(1, b.GetSize());
    EXPECT_TRUE(b.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_STREQ("CStringArray", b.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CObject), b.GetRuntimeClass()->m_pBaseClass);
    b.RemoveAll();
    EXPECT_TRUE(b.IsEmpty());
}

struct Item : CObject {
    int n = 0;
};

TEST(TypedPtrArray, TypedFacesOnPointerArrays)
{
    int values[4] = {1, 2, 3, 4};
    CTypedPtrArray<CPtrArray, int*> ints;
    EXPECT_EQ(0, ints.Add(&values[0]));
    ints.SetAtGrow(2, &values[2]);
    ints.SetAt(1, &values[1]);
    ints.InsertAt(0, &values[3]);
    ASSERT_EQ(4, ints.GetSize());
    EXPECT_EQ(4, *ints[0]);
    EXPECT_EQ(1, *ints.GetAt(1));
    EXPECT_EQ(3, *ints.GetData()[3]);
    ints.ElementAt(0) = &values[1];
    EXPECT_EQ(2, *ints[0]);
    CTypedPtrArray<CPtrArray, int*> more;
    more.Add(&values[3]);
    EXPECT_EQ(4, ints.Append(more));
    ints.InsertAt(0, &more);
    EXPECT_EQ(6, ints.GetSize());
    EXPECT_EQ(4, *ints[0]);
    more.Copy(ints);
    EXPECT_EQ(6, more.GetSize());
    EXPECT_TRUE(ints.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_STREQ("CPtrArray", ints.GetRuntimeClass()->m_lpszClassName);

    Item items[2];
    items[1].n = 7;
    CTypedPtrArray<CObArray, Item*> objs;
    objs.Add(&items[0]);
    objs.Add(&items[1]);
    EXPECT_EQ(7, objs[1]->n);
    EXPECT_EQ(&items[0], objs.GetAt(0));
    CObArray& base = objs;
    EXPECT_EQ(static_cast<CObject*>(&items[1]), base[1]);
    EXPECT_STREQ("CObArray", objs.GetRuntimeClass()->m_lpszClassName);
}

}  // namespace
