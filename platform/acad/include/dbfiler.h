// The filer through which an object reads its fields from a DXF file and writes them
// back. An object's tags arrive grouped by subclass marker (group 100): a class selects
// its subclass, takes the tags it understands and hands every other one back with
// keepItem(), so that a load and a save lose nothing the classes do not model.
#pragma once

#include "AdAChar.h"
#include "acadstrc.h"
#include "dbid.h"
#include "gepnt3d.h"
#include "gevec3d.h"

#include <string>
#include <string_view>

class AcDbDatabase;

class AcDbDxfFiler {
public:
    virtual ~AcDbDxfFiler() = default;

    virtual AcDbDatabase* database() const = 0;

    // ---- reading ----
    // Selects the tags of one subclass. Files without subclass markers (R12) give every
    // class the one pool of the object's tags: the call then always succeeds.
    virtual bool atSubclassData(const char* subclassName) = 0;
    // The next tag of the selection not yet taken; false at its end.
    virtual bool nextItem() = 0;
    virtual int code() const = 0;
    virtual std::string_view value() const = 0; // UTF-8
    // The tag just read is not this class's: keep it to be written back unchanged.
    virtual void keepItem() = 0;
    // The tag just read is given back so that the next nextItem() returns it again
    // (for classes that read a known sequence and stop at the first tag after it).
    virtual void pushBackItem() = 0;

    // Conversions of the current value. A value of the wrong form is reported as a
    // warning naming the file line and gives 0.
    virtual double asDouble() = 0;
    virtual int asInt() = 0;
    virtual std::int64_t asInt64() = 0;
    virtual std::wstring asString() = 0;
    virtual AcDbHandle asHandle() = 0;
    // The object named by a handle value; a handle of an object not loaded yet gives an
    // id that the object fills when it arrives.
    virtual AcDbObjectId asObjectId() = 0;

    // ---- writing ----
    virtual void writeSubclass(const char* subclassName) = 0;
    virtual void writeString(int code, std::wstring_view value) = 0;
    virtual void writeUtf8(int code, std::string_view value) = 0;
    virtual void writeInt16(int code, int value) = 0;
    virtual void writeInt32(int code, std::int32_t value) = 0;
    virtual void writeInt64(int code, std::int64_t value) = 0;
    virtual void writeBool(int code, bool value) = 0;
    virtual void writeDouble(int code, double value) = 0;
    // Writes code, code+10 and code+20 (x, y, z); writePoint2d only x and y.
    virtual void writePoint3d(int code, const AcGePoint3d& p) = 0;
    virtual void writePoint2d(int code, double x, double y) = 0;
    virtual void writeVector3d(int code, const AcGeVector3d& v) = 0;
    virtual void writeHandle(int code, const AcDbHandle& h) = 0;
    // Writes the handle of the object; a null id writes "0".
    virtual void writeObjectId(int code, const AcDbObjectId& id) = 0;
};
