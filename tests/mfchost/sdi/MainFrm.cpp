// MainFrm.cpp : implementation of the CMainFrame class
#include "stdafx.h"
#include "SdiHost.h"
#include "MainFrm.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT &cs)
{
    cs.cx = 480;
    cs.cy = 360;
    return CFrameWnd::PreCreateWindow(cs);
}
