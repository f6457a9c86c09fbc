// AcDbMText: paragraph text with format codes (\P new paragraph, {\fArial;...} and the
// like), kept exactly as given. The location is the attachment point's position in
// world coordinates; the text runs along the direction vector in the plane of the
// normal.
#pragma once

#include "dbmain.h"

#include <string>

class AcDbMText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbMText);

    enum AttachmentPoint {
        kTopLeft = 1,
        kTopCenter = 2,
        kTopRight = 3,
        kMiddleLeft = 4,
        kMiddleCenter = 5,
        kMiddleRight = 6,
        kBottomLeft = 7,
        kBottomCenter = 8,
        kBottomRight = 9,
    };
    enum FlowDirection { kLtoR = 1, kRtoL = 2, kTtoB = 3, kBtoT = 4, kByStyle = 5 };

    AcDbMText() = default;
    AcRxObject* clone() const override { return new AcDbMText(*this); }

    AcGePoint3d location() const;
    Acad::ErrorStatus setLocation(const AcGePoint3d& location);
    // The contents with their format codes, newly allocated: free with acutDelString.
    ACHAR* contents() const;
    const std::wstring& kzContents() const { return m_contents; }
    // Returns the number of characters taken.
    int setContents(const ACHAR* text);
    // The contents without format codes (\P becomes a line break), newly allocated.
    ACHAR* text() const;
    double textHeight() const;
    Acad::ErrorStatus setTextHeight(double height); // positive
    // The reference rectangle's width; 0 for text that does not wrap.
    double width() const;
    Acad::ErrorStatus setWidth(double width);
    // Angle of the direction in the plane of the normal.
    double rotation() const;
    Acad::ErrorStatus setRotation(double rotation);
    AcGeVector3d direction() const;
    Acad::ErrorStatus setDirection(const AcGeVector3d& direction);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    AttachmentPoint attachment() const;
    Acad::ErrorStatus setAttachment(AttachmentPoint attachment);
    FlowDirection flowDirection() const;
    Acad::ErrorStatus setFlowDirection(FlowDirection direction);
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    double lineSpacingFactor() const;
    Acad::ErrorStatus setLineSpacingFactor(double factor); // 0.25 to 4
    // Estimated size of the text as laid out: lines of characters height wide (the
    // style's width factor applied), lines height x 5/3 apart.
    double actualHeight() const;
    double actualWidth() const;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    void layoutSize(double& width, double& height) const;

    AcGePoint3d m_location;
    std::wstring m_contents;
    double m_height = 0;
    double m_width = 0;
    AcGeVector3d m_direction = AcGeVector3d::kXAxis;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    AttachmentPoint m_attachment = kTopLeft;
    FlowDirection m_flow = kLtoR;
    AcDbObjectId m_style;
    double m_lineSpacing = 1.0;
    int m_lineSpacingStyle = 1; // 1 at least, 2 exactly
};
