#pragma once
// A thin mirror of the engine's C interface, bound to one virtual machine. Every engine call that
// reports success or failure is checked: a failure throws NativeAPIException with the engine
// function's own name and the engine's error text. The wrappers are inline because script calls
// and cell values run through them many thousands of times per table refresh.
#include <squirrel.h>
#include <sqstdio.h>

#include <string>
#include <string_view>

#include "squirrel/tt_squirrel_exception.h"

namespace TtSquirrel {

class NativeAPI {
public:
  // Holds the address of the machine's handle field; cheap to make anew for every use.
  explicit NativeAPI(HSQUIRRELVM* handle) : handle_(handle) {}

  HSQUIRRELVM GetHandle() const { return *handle_; }

  // The checked-call rule: a negative result throws NativeAPIException { call, last error }.
  SQRESULT CheckResult(SQRESULT result, const char* call) const {
    if (result < 0) [[unlikely]] {
      ThrowCallFailure(call);
    }
    return result;
  }

  // Push functions.
  void PushNull() const { sq_pushnull(v()); }
  void PushInteger(SQInteger value) const { sq_pushinteger(v(), value); }
  void PushFloat(SQFloat value) const { sq_pushfloat(v(), value); }
  void PushBool(bool value) const { sq_pushbool(v(), value ? SQTrue : SQFalse); }
  void PushString(std::string_view text) const {
    sq_pushstring(v(), text.data(), static_cast<SQInteger>(text.size()));
  }
  void PushUserPointer(SQUserPointer pointer) const { sq_pushuserpointer(v(), pointer); }
  void PushRootTable() const { sq_pushroottable(v()); }
  void PushRegistryTable() const { sq_pushregistrytable(v()); }
  void PushConstTable() const { sq_pushconsttable(v()); }
  void PushObject(HSQOBJECT object) const { sq_pushobject(v(), object); }

  // Stack functions.
  SQInteger GetTop() const { return sq_gettop(v()); }
  void SetTop(SQInteger top) const { sq_settop(v(), top); }
  void Pop(SQInteger count) const { sq_pop(v(), count); }
  void PopTop() const { sq_poptop(v()); }
  void Push(SQInteger index) const { sq_push(v(), index); }
  void Remove(SQInteger index) const { sq_remove(v(), index); }
  SQInteger Compare() const { return sq_cmp(v()); }

  // Constructors.
  void NewTable() const { sq_newtable(v()); }
  void NewArray(SQInteger size) const { sq_newarray(v(), size); }
  SQUserPointer NewUserData(SQUnsignedInteger size) const { return sq_newuserdata(v(), size); }
  void NewClass(bool has_base) const {
    CheckResult(sq_newclass(v(), has_base ? SQTrue : SQFalse), "sq_newclass");
  }
  void NewClosure(SQFUNCTION function, SQUnsignedInteger free_variables) const {
    sq_newclosure(v(), function, free_variables);
  }
  void CreateInstance(SQInteger index) const {
    CheckResult(sq_createinstance(v(), index), "sq_createinstance");
  }
  void Clone(SQInteger index) const { CheckResult(sq_clone(v(), index), "sq_clone"); }

  // Getters of typed values. The engine's integer, float and bool getters fail without an error
  // text of their own, so their failure reports the type that was found instead.
  SQObjectType GetType(SQInteger index) const { return sq_gettype(v(), index); }
  SQInteger GetInteger(SQInteger index) const {
    SQInteger value = 0;
    if (SQ_FAILED(sq_getinteger(v(), index, &value))) [[unlikely]] {
      ThrowWrongType("sq_getinteger", "Integer", index);
    }
    return value;
  }
  SQFloat GetFloat(SQInteger index) const {
    SQFloat value = 0;
    if (SQ_FAILED(sq_getfloat(v(), index, &value))) [[unlikely]] {
      ThrowWrongType("sq_getfloat", "Float", index);
    }
    return value;
  }
  bool GetBool(SQInteger index) const {
    SQBool value = SQFalse;
    if (SQ_FAILED(sq_getbool(v(), index, &value))) [[unlikely]] {
      ThrowWrongType("sq_getbool", "Boolean", index);
    }
    return value != SQFalse;
  }
  // The whole string, embedded NUL bytes included.
  std::string GetString(SQInteger index) const {
    const SQChar* text = nullptr;
    CheckResult(sq_getstring(v(), index, &text), "sq_getstring");
    return std::string(text, static_cast<std::size_t>(sq_getsize(v(), index)));
  }
  SQUserPointer GetUserPointer(SQInteger index) const {
    SQUserPointer pointer = nullptr;
    CheckResult(sq_getuserpointer(v(), index, &pointer), "sq_getuserpointer");
    return pointer;
  }
  SQUserPointer GetUserData(SQInteger index, SQUserPointer* type_tag = nullptr) const {
    SQUserPointer pointer = nullptr;
    CheckResult(sq_getuserdata(v(), index, &pointer, type_tag), "sq_getuserdata");
    return pointer;
  }
  HSQUIRRELVM GetThread(SQInteger index) const {
    HSQUIRRELVM thread = nullptr;
    CheckResult(sq_getthread(v(), index, &thread), "sq_getthread");
    return thread;
  }
  SQInteger GetSize(SQInteger index) const {
    return CheckResult(sq_getsize(v(), index), "sq_getsize");
  }
  // Pushes the type name the engine (or a _typeof metamethod) gives.
  void TypeOf(SQInteger index) const { CheckResult(sq_typeof(v(), index), "sq_typeof"); }
  // Pushes the engine's text for the value (a _tostring metamethod may run).
  void ToString(SQInteger index) const { CheckResult(sq_tostring(v(), index), "sq_tostring"); }
  bool ToBool(SQInteger index) const {
    SQBool value = SQFalse;
    sq_tobool(v(), index, &value);
    return value != SQFalse;
  }
  HSQOBJECT GetStackObject(SQInteger index) const {
    HSQOBJECT object;
    sq_resetobject(&object);
    CheckResult(sq_getstackobj(v(), index, &object), "sq_getstackobj");
    return object;
  }

  // Instance user pointers and type tags. A failed read of an instance pointer has already
  // written the pointer, so only the returned value of a successful call is ever used.
  SQUserPointer GetInstanceUp(SQInteger index, SQUserPointer type_tag) const {
    SQUserPointer pointer = nullptr;
    CheckResult(sq_getinstanceup(v(), index, &pointer, type_tag), "sq_getinstanceup");
    return pointer;
  }
  void SetInstanceUp(SQInteger index, SQUserPointer pointer) const {
    CheckResult(sq_setinstanceup(v(), index, pointer), "sq_setinstanceup");
  }
  SQUserPointer GetTypeTag(SQInteger index) const {
    SQUserPointer tag = nullptr;
    CheckResult(sq_gettypetag(v(), index, &tag), "sq_gettypetag");
    return tag;
  }
  void SetTypeTag(SQInteger index, SQUserPointer tag) const {
    CheckResult(sq_settypetag(v(), index, tag), "sq_settypetag");
  }
  // The engine has no machine here and so no last error; the failure text is fixed.
  static SQUserPointer GetObjectTypeTag(const HSQOBJECT& object);
  void SetReleaseHook(SQInteger index, SQRELEASEHOOK hook) const {
    sq_setreleasehook(v(), index, hook);
  }
  void SetClassUdSize(SQInteger index, SQInteger size) const {
    CheckResult(sq_setclassudsize(v(), index, size), "sq_setclassudsize");
  }

  // Closures.
  void SetParamsCheck(SQInteger count, const char* type_mask) const {
    CheckResult(sq_setparamscheck(v(), count, type_mask), "sq_setparamscheck");
  }
  void SetNativeClosureName(SQInteger index, const std::string& name) const {
    CheckResult(sq_setnativeclosurename(v(), index, name.c_str()), "sq_setnativeclosurename");
  }
  void BindEnv(SQInteger index) const { CheckResult(sq_bindenv(v(), index), "sq_bindenv"); }
  void GetClosureInfo(SQInteger index, SQUnsignedInteger* parameters,
                      SQUnsignedInteger* free_variables) const {
    CheckResult(sq_getclosureinfo(v(), index, parameters, free_variables), "sq_getclosureinfo");
  }
  void GetClosureName(SQInteger index) const {
    CheckResult(sq_getclosurename(v(), index), "sq_getclosurename");
  }
  void GetClosureRoot(SQInteger index) const {
    CheckResult(sq_getclosureroot(v(), index), "sq_getclosureroot");
  }
  void SetClosureRoot(SQInteger index) const {
    CheckResult(sq_setclosureroot(v(), index), "sq_setclosureroot");
  }
  void SetFreeVariable(SQInteger index, SQUnsignedInteger number) const {
    CheckResult(sq_setfreevariable(v(), index, number), "sq_setfreevariable");
  }
  void GetCallee() const { CheckResult(sq_getcallee(v()), "sq_getcallee"); }

  // Classes and instances.
  // The engine returns its error code cast to a bool when the test cannot be made (for example
  // with a table instead of an instance), so the result is checked before it is read.
  bool InstanceOf() const {
    SQInteger result = static_cast<SQInteger>(sq_instanceof(v()));
    CheckResult(result, "sq_instanceof");
    return result != 0;
  }
  void GetClass(SQInteger index) const { CheckResult(sq_getclass(v(), index), "sq_getclass"); }
  void GetBase(SQInteger index) const { CheckResult(sq_getbase(v(), index), "sq_getbase"); }
  void GetAttributes(SQInteger index) const {
    CheckResult(sq_getattributes(v(), index), "sq_getattributes");
  }
  void SetAttributes(SQInteger index) const {
    CheckResult(sq_setattributes(v(), index), "sq_setattributes");
  }
  HSQMEMBERHANDLE GetMemberHandle(SQInteger index) const {
    HSQMEMBERHANDLE handle{};
    CheckResult(sq_getmemberhandle(v(), index, &handle), "sq_getmemberhandle");
    return handle;
  }
  void GetByHandle(SQInteger index, const HSQMEMBERHANDLE& handle) const {
    CheckResult(sq_getbyhandle(v(), index, &handle), "sq_getbyhandle");
  }
  void SetByHandle(SQInteger index, const HSQMEMBERHANDLE& handle) const {
    CheckResult(sq_setbyhandle(v(), index, &handle), "sq_setbyhandle");
  }
  void NewMember(SQInteger index, bool is_static) const {
    CheckResult(sq_newmember(v(), index, is_static ? SQTrue : SQFalse), "sq_newmember");
  }
  void RawNewMember(SQInteger index, bool is_static) const {
    CheckResult(sq_rawnewmember(v(), index, is_static ? SQTrue : SQFalse), "sq_rawnewmember");
  }

  // Slots, delegates and weak references.
  void NewSlot(SQInteger index, bool is_static) const {
    CheckResult(sq_newslot(v(), index, is_static ? SQTrue : SQFalse), "sq_newslot");
  }
  void Get(SQInteger index) const { CheckResult(sq_get(v(), index), "sq_get"); }
  // sq_get for a slot that may be missing: false (the key popped) when it is.
  bool TryGet(SQInteger index) const { return SQ_SUCCEEDED(sq_get(v(), index)); }
  void Set(SQInteger index) const { CheckResult(sq_set(v(), index), "sq_set"); }
  void RawGet(SQInteger index) const { CheckResult(sq_rawget(v(), index), "sq_rawget"); }
  void RawSet(SQInteger index) const { CheckResult(sq_rawset(v(), index), "sq_rawset"); }
  void DeleteSlot(SQInteger index, bool push_value) const {
    CheckResult(sq_deleteslot(v(), index, push_value ? SQTrue : SQFalse), "sq_deleteslot");
  }
  void RawDeleteSlot(SQInteger index, bool push_value) const {
    CheckResult(sq_rawdeleteslot(v(), index, push_value ? SQTrue : SQFalse), "sq_rawdeleteslot");
  }
  // One step of iteration: pushes key and value and returns true, or returns false at the end.
  // The engine reports the end as a failure without an error text, so this call is not checked.
  bool Next(SQInteger index) const { return SQ_SUCCEEDED(sq_next(v(), index)); }
  void Clear(SQInteger index) const { CheckResult(sq_clear(v(), index), "sq_clear"); }
  void GetDelegate(SQInteger index) const {
    CheckResult(sq_getdelegate(v(), index), "sq_getdelegate");
  }
  void SetDelegate(SQInteger index) const {
    CheckResult(sq_setdelegate(v(), index), "sq_setdelegate");
  }
  void GetDefaultDelegate(SQObjectType type) const {
    CheckResult(sq_getdefaultdelegate(v(), type), "sq_getdefaultdelegate");
  }
  void WeakRef(SQInteger index) const { sq_weakref(v(), index); }
  void GetWeakRefVal(SQInteger index) const {
    CheckResult(sq_getweakrefval(v(), index), "sq_getweakrefval");
  }
  void SetRootTable() const { CheckResult(sq_setroottable(v()), "sq_setroottable"); }
  void SetConstTable() const { CheckResult(sq_setconsttable(v()), "sq_setconsttable"); }

  // Arrays.
  void ArrayAppend(SQInteger index) const {
    CheckResult(sq_arrayappend(v(), index), "sq_arrayappend");
  }
  void ArrayPop(SQInteger index, bool push_value) const {
    CheckResult(sq_arraypop(v(), index, push_value ? SQTrue : SQFalse), "sq_arraypop");
  }
  void ArrayResize(SQInteger index, SQInteger size) const {
    CheckResult(sq_arrayresize(v(), index, size), "sq_arrayresize");
  }
  void ArrayReverse(SQInteger index) const {
    CheckResult(sq_arrayreverse(v(), index), "sq_arrayreverse");
  }
  void ArrayRemove(SQInteger index, SQInteger item) const {
    CheckResult(sq_arrayremove(v(), index, item), "sq_arrayremove");
  }
  void ArrayInsert(SQInteger index, SQInteger position) const {
    CheckResult(sq_arrayinsert(v(), index, position), "sq_arrayinsert");
  }

  // Compiling, calling and the machine's state.
  void Compile(SQLEXREADFUNC read, SQUserPointer source, const std::string& source_name,
               bool raise_error) const {
    CheckResult(sq_compile(v(), read, source, source_name.c_str(), raise_error ? SQTrue : SQFalse),
                "sq_compile");
  }
  void CompileBuffer(const std::string& text, const std::string& source_name,
                     bool raise_error) const {
    CheckResult(sq_compilebuffer(v(), text.data(), static_cast<SQInteger>(text.size()),
                                 source_name.c_str(), raise_error ? SQTrue : SQFalse),
                "sq_compilebuffer");
  }
  void Call(SQInteger parameters, bool keep_result, bool raise_error) const {
    // A callee that cannot be called fails without an error of its own; the reset keeps the
    // failure from showing whatever error came before it.
    sq_reseterror(v());
    CheckResult(
        sq_call(v(), parameters, keep_result ? SQTrue : SQFalse, raise_error ? SQTrue : SQFalse),
        "sq_call");
  }
  void Resume(bool keep_result, bool raise_error) const {
    CheckResult(sq_resume(v(), keep_result ? SQTrue : SQFalse, raise_error ? SQTrue : SQFalse),
                "sq_resume");
  }
  void SuspendVM() const { CheckResult(sq_suspendvm(v()), "sq_suspendvm"); }
  void WakeUpVM(bool resumed_result, bool keep_result, bool raise_error, bool throw_error) const {
    CheckResult(sq_wakeupvm(v(), resumed_result, keep_result, raise_error, throw_error),
                "sq_wakeupvm");
  }
  SQInteger GetVMState() const { return sq_getvmstate(v()); }
  void SetCompilerErrorHandler(SQCOMPILERERROR handler) const {
    sq_setcompilererrorhandler(v(), handler);
  }
  // Pops the closure on top and makes it the run-time error handler.
  void SetErrorHandler() const { sq_seterrorhandler(v()); }
  void EnableDebugInfo(bool enable) const { sq_enabledebuginfo(v(), enable ? SQTrue : SQFalse); }
  void NotifyAllExceptions(bool enable) const {
    sq_notifyallexceptions(v(), enable ? SQTrue : SQFalse);
  }
  void SetPrintFunc(SQPRINTFUNCTION print, SQPRINTFUNCTION error) const {
    sq_setprintfunc(v(), print, error);
  }

  // Error functions.
  SQRESULT ThrowError(const std::string& text) const { return sq_throwerror(v(), text.c_str()); }
  SQRESULT ThrowObject() const { return sq_throwobject(v()); }
  void GetLastError() const { sq_getlasterror(v()); }
  void ResetError() const { sq_reseterror(v()); }

  // Debugging.
  SQStackInfos StackInfos(SQInteger level) const {
    SQStackInfos infos{};
    CheckResult(sq_stackinfos(v(), level, &infos), "sq_stackinfos");
    return infos;
  }
  // Pushes the local's value and returns its name; null (and nothing pushed) when absent.
  const SQChar* GetLocal(SQUnsignedInteger level, SQUnsignedInteger index) const {
    return sq_getlocal(v(), level, index);
  }
  SQFunctionInfo GetFunctionInfo(SQInteger level) const {
    SQFunctionInfo infos{};
    CheckResult(sq_getfunctioninfo(v(), level, &infos), "sq_getfunctioninfo");
    return infos;
  }

  // Reference counting and garbage collection.
  void AddRef(HSQOBJECT& object) const { sq_addref(v(), &object); }
  bool Release(HSQOBJECT& object) const { return sq_release(v(), &object) != SQFalse; }
  SQUnsignedInteger GetRefCount(HSQOBJECT& object) const { return sq_getrefcount(v(), &object); }
  SQInteger CollectGarbage() const { return sq_collectgarbage(v()); }
  void ResurrectUnreachable() const {
    CheckResult(sq_resurrectunreachable(v()), "sq_resurrectunreachable");
  }

  // Serialization.
  void WriteClosure(SQWRITEFUNC write, SQUserPointer destination) const {
    CheckResult(sq_writeclosure(v(), write, destination), "sq_writeclosure");
  }
  void ReadClosure(SQREADFUNC read, SQUserPointer source) const {
    CheckResult(sq_readclosure(v(), read, source), "sq_readclosure");
  }

  // The standard library (each library registers into the table on top of the stack).
  SQUserPointer GetBlob(SQInteger index) const;
  void RegisterBlobLib() const;
  void CreateFile(SQFILE file, bool own) const;
  SQFILE GetFile(SQInteger index) const;
  void LoadFile(const std::string& path, bool print_error) const;
  void DoFile(const std::string& path, bool keep_result, bool print_error) const;
  void WriteClosureToFile(const std::string& path) const;
  void RegisterIOLib() const;
  void RegisterSystemLib() const;
  void RegisterMathLib() const;
  // Formats like the script function format with the format string at the index.
  std::string Format(SQInteger format_index) const;
  void RegisterStringLib() const;

private:
  HSQUIRRELVM v() const { return *handle_; }
  [[noreturn]] void ThrowCallFailure(const char* call) const;
  [[noreturn]] void ThrowWrongType(const char* call, const char* expected, SQInteger index) const;

  HSQUIRRELVM* handle_;
};

// The engine's text of a value or of an error, easier to read: an address as "0x55..." (the
// engine writes "0x%p", and this C library's %p begins with 0x itself), and each type named once
// in a list of expected types (closures and native closures are both "function").
std::string TidyEngineText(std::string text);

}  // namespace TtSquirrel
