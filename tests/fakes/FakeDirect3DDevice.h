// A fake Direct3D 9 device: it makes real offscreen surfaces; everything else is logged and
// answers E_NOTIMPL (or 0), since the engine does not draw through the device.
#pragma once

#include "fakes/FakeObject.h"

class FakeDirect3DDevice final : public FakeCom<FakeObject, IDirect3DDevice9>
{
public:
    FakeDirect3DDevice(IDirect3D9* direct3D, const D3DDEVICE_CREATION_PARAMETERS& creation,
                       const D3DPRESENT_PARAMETERS& presentation);

    const D3DPRESENT_PARAMETERS& PresentParameters() const { return presentation; }
    const D3DDEVICE_CREATION_PARAMETERS& CreationParameters() const { return creation; }

    HRESULT STDMETHODCALLTYPE CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format,
                                                          D3DPOOL pool, IDirect3DSurface9** surface,
                                                          HANDLE* sharedHandle) override;
    HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D9** direct3D) override;
    HRESULT STDMETHODCALLTYPE GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) override;

    HRESULT STDMETHODCALLTYPE TestCooperativeLevel() override
        { return Unused("IDirect3DDevice9::TestCooperativeLevel"); }
    UINT STDMETHODCALLTYPE GetAvailableTextureMem() override
        { Unused("IDirect3DDevice9::GetAvailableTextureMem"); return UINT(); }
    HRESULT STDMETHODCALLTYPE EvictManagedResources() override
        { return Unused("IDirect3DDevice9::EvictManagedResources"); }
    HRESULT STDMETHODCALLTYPE GetDeviceCaps(D3DCAPS9*) override
        { return Unused("IDirect3DDevice9::GetDeviceCaps"); }
    HRESULT STDMETHODCALLTYPE GetDisplayMode(UINT, D3DDISPLAYMODE*) override
        { return Unused("IDirect3DDevice9::GetDisplayMode"); }
    HRESULT STDMETHODCALLTYPE SetCursorProperties(UINT, UINT, IDirect3DSurface9*) override
        { return Unused("IDirect3DDevice9::SetCursorProperties"); }
    void STDMETHODCALLTYPE SetCursorPosition(int, int, DWORD) override
        { Unused("IDirect3DDevice9::SetCursorPosition"); }
    WINBOOL STDMETHODCALLTYPE ShowCursor(WINBOOL) override
        { Unused("IDirect3DDevice9::ShowCursor"); return WINBOOL(); }
    HRESULT STDMETHODCALLTYPE CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS*, IDirect3DSwapChain9**) override
        { return Unused("IDirect3DDevice9::CreateAdditionalSwapChain"); }
    HRESULT STDMETHODCALLTYPE GetSwapChain(UINT, IDirect3DSwapChain9**) override
        { return Unused("IDirect3DDevice9::GetSwapChain"); }
    UINT STDMETHODCALLTYPE GetNumberOfSwapChains() override
        { Unused("IDirect3DDevice9::GetNumberOfSwapChains"); return UINT(); }
    HRESULT STDMETHODCALLTYPE Reset(D3DPRESENT_PARAMETERS*) override
        { return Unused("IDirect3DDevice9::Reset"); }
    HRESULT STDMETHODCALLTYPE Present(const RECT *, const RECT *, HWND, const RGNDATA *) override
        { return Unused("IDirect3DDevice9::Present"); }
    HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT, UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface9**) override
        { return Unused("IDirect3DDevice9::GetBackBuffer"); }
    HRESULT STDMETHODCALLTYPE GetRasterStatus(UINT, D3DRASTER_STATUS*) override
        { return Unused("IDirect3DDevice9::GetRasterStatus"); }
    HRESULT STDMETHODCALLTYPE SetDialogBoxMode(WINBOOL) override
        { return Unused("IDirect3DDevice9::SetDialogBoxMode"); }
    void STDMETHODCALLTYPE SetGammaRamp(UINT, DWORD, const D3DGAMMARAMP *) override
        { Unused("IDirect3DDevice9::SetGammaRamp"); }
    void STDMETHODCALLTYPE GetGammaRamp(UINT, D3DGAMMARAMP*) override
        { Unused("IDirect3DDevice9::GetGammaRamp"); }
    HRESULT STDMETHODCALLTYPE CreateTexture(UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DTexture9**, HANDLE*) override
        { return Unused("IDirect3DDevice9::CreateTexture"); }
    HRESULT STDMETHODCALLTYPE CreateVolumeTexture(UINT, UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DVolumeTexture9**, HANDLE*) override
        { return Unused("IDirect3DDevice9::CreateVolumeTexture"); }
    HRESULT STDMETHODCALLTYPE CreateCubeTexture(UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DCubeTexture9**, HANDLE*) override
        { return Unused("IDirect3DDevice9::CreateCubeTexture"); }
    HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer9**, HANDLE*) override
        { return Unused("IDirect3DDevice9::CreateVertexBuffer"); }
    HRESULT STDMETHODCALLTYPE CreateIndexBuffer(UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DIndexBuffer9**, HANDLE*) override
        { return Unused("IDirect3DDevice9::CreateIndexBuffer"); }
    HRESULT STDMETHODCALLTYPE CreateRenderTarget(UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, DWORD, WINBOOL, IDirect3DSurface9**, HANDLE*) override
        { return Unused("IDirect3DDevice9::CreateRenderTarget"); }
    HRESULT STDMETHODCALLTYPE CreateDepthStencilSurface(UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, DWORD, WINBOOL, IDirect3DSurface9**, HANDLE*) override
        { return Unused("IDirect3DDevice9::CreateDepthStencilSurface"); }
    HRESULT STDMETHODCALLTYPE UpdateSurface(IDirect3DSurface9 *, const RECT *, IDirect3DSurface9 *, const POINT *) override
        { return Unused("IDirect3DDevice9::UpdateSurface"); }
    HRESULT STDMETHODCALLTYPE UpdateTexture(IDirect3DBaseTexture9*, IDirect3DBaseTexture9*) override
        { return Unused("IDirect3DDevice9::UpdateTexture"); }
    HRESULT STDMETHODCALLTYPE GetRenderTargetData(IDirect3DSurface9*, IDirect3DSurface9*) override
        { return Unused("IDirect3DDevice9::GetRenderTargetData"); }
    HRESULT STDMETHODCALLTYPE GetFrontBufferData(UINT, IDirect3DSurface9*) override
        { return Unused("IDirect3DDevice9::GetFrontBufferData"); }
    HRESULT STDMETHODCALLTYPE StretchRect(IDirect3DSurface9 *, const RECT *, IDirect3DSurface9 *, const RECT *, D3DTEXTUREFILTERTYPE) override
        { return Unused("IDirect3DDevice9::StretchRect"); }
    HRESULT STDMETHODCALLTYPE ColorFill(IDirect3DSurface9 *, const RECT *, D3DCOLOR) override
        { return Unused("IDirect3DDevice9::ColorFill"); }
    HRESULT STDMETHODCALLTYPE SetRenderTarget(DWORD, IDirect3DSurface9*) override
        { return Unused("IDirect3DDevice9::SetRenderTarget"); }
    HRESULT STDMETHODCALLTYPE GetRenderTarget(DWORD, IDirect3DSurface9**) override
        { return Unused("IDirect3DDevice9::GetRenderTarget"); }
    HRESULT STDMETHODCALLTYPE SetDepthStencilSurface(IDirect3DSurface9*) override
        { return Unused("IDirect3DDevice9::SetDepthStencilSurface"); }
    HRESULT STDMETHODCALLTYPE GetDepthStencilSurface(IDirect3DSurface9**) override
        { return Unused("IDirect3DDevice9::GetDepthStencilSurface"); }
    HRESULT STDMETHODCALLTYPE BeginScene() override
        { return Unused("IDirect3DDevice9::BeginScene"); }
    HRESULT STDMETHODCALLTYPE EndScene() override
        { return Unused("IDirect3DDevice9::EndScene"); }
    HRESULT STDMETHODCALLTYPE Clear(DWORD, const D3DRECT *, DWORD, D3DCOLOR, float, DWORD) override
        { return Unused("IDirect3DDevice9::Clear"); }
    HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX *) override
        { return Unused("IDirect3DDevice9::SetTransform"); }
    HRESULT STDMETHODCALLTYPE GetTransform(D3DTRANSFORMSTATETYPE, D3DMATRIX*) override
        { return Unused("IDirect3DDevice9::GetTransform"); }
    HRESULT STDMETHODCALLTYPE MultiplyTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX *) override
        { return Unused("IDirect3DDevice9::MultiplyTransform"); }
    HRESULT STDMETHODCALLTYPE SetViewport(const D3DVIEWPORT9 *) override
        { return Unused("IDirect3DDevice9::SetViewport"); }
    HRESULT STDMETHODCALLTYPE GetViewport(D3DVIEWPORT9*) override
        { return Unused("IDirect3DDevice9::GetViewport"); }
    HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL9 *) override
        { return Unused("IDirect3DDevice9::SetMaterial"); }
    HRESULT STDMETHODCALLTYPE GetMaterial(D3DMATERIAL9*) override
        { return Unused("IDirect3DDevice9::GetMaterial"); }
    HRESULT STDMETHODCALLTYPE SetLight(DWORD, const D3DLIGHT9 *) override
        { return Unused("IDirect3DDevice9::SetLight"); }
    HRESULT STDMETHODCALLTYPE GetLight(DWORD, D3DLIGHT9*) override
        { return Unused("IDirect3DDevice9::GetLight"); }
    HRESULT STDMETHODCALLTYPE LightEnable(DWORD, WINBOOL) override
        { return Unused("IDirect3DDevice9::LightEnable"); }
    HRESULT STDMETHODCALLTYPE GetLightEnable(DWORD, WINBOOL*) override
        { return Unused("IDirect3DDevice9::GetLightEnable"); }
    HRESULT STDMETHODCALLTYPE SetClipPlane(DWORD, const float *) override
        { return Unused("IDirect3DDevice9::SetClipPlane"); }
    HRESULT STDMETHODCALLTYPE GetClipPlane(DWORD, float*) override
        { return Unused("IDirect3DDevice9::GetClipPlane"); }
    HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE, DWORD) override
        { return Unused("IDirect3DDevice9::SetRenderState"); }
    HRESULT STDMETHODCALLTYPE GetRenderState(D3DRENDERSTATETYPE, DWORD*) override
        { return Unused("IDirect3DDevice9::GetRenderState"); }
    HRESULT STDMETHODCALLTYPE CreateStateBlock(D3DSTATEBLOCKTYPE, IDirect3DStateBlock9**) override
        { return Unused("IDirect3DDevice9::CreateStateBlock"); }
    HRESULT STDMETHODCALLTYPE BeginStateBlock() override
        { return Unused("IDirect3DDevice9::BeginStateBlock"); }
    HRESULT STDMETHODCALLTYPE EndStateBlock(IDirect3DStateBlock9**) override
        { return Unused("IDirect3DDevice9::EndStateBlock"); }
    HRESULT STDMETHODCALLTYPE SetClipStatus(const D3DCLIPSTATUS9 *) override
        { return Unused("IDirect3DDevice9::SetClipStatus"); }
    HRESULT STDMETHODCALLTYPE GetClipStatus(D3DCLIPSTATUS9*) override
        { return Unused("IDirect3DDevice9::GetClipStatus"); }
    HRESULT STDMETHODCALLTYPE GetTexture(DWORD, IDirect3DBaseTexture9**) override
        { return Unused("IDirect3DDevice9::GetTexture"); }
    HRESULT STDMETHODCALLTYPE SetTexture(DWORD, IDirect3DBaseTexture9*) override
        { return Unused("IDirect3DDevice9::SetTexture"); }
    HRESULT STDMETHODCALLTYPE GetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD*) override
        { return Unused("IDirect3DDevice9::GetTextureStageState"); }
    HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override
        { return Unused("IDirect3DDevice9::SetTextureStageState"); }
    HRESULT STDMETHODCALLTYPE GetSamplerState(DWORD, D3DSAMPLERSTATETYPE, DWORD*) override
        { return Unused("IDirect3DDevice9::GetSamplerState"); }
    HRESULT STDMETHODCALLTYPE SetSamplerState(DWORD, D3DSAMPLERSTATETYPE, DWORD) override
        { return Unused("IDirect3DDevice9::SetSamplerState"); }
    HRESULT STDMETHODCALLTYPE ValidateDevice(DWORD*) override
        { return Unused("IDirect3DDevice9::ValidateDevice"); }
    HRESULT STDMETHODCALLTYPE SetPaletteEntries(UINT, const PALETTEENTRY *) override
        { return Unused("IDirect3DDevice9::SetPaletteEntries"); }
    HRESULT STDMETHODCALLTYPE GetPaletteEntries(UINT, PALETTEENTRY*) override
        { return Unused("IDirect3DDevice9::GetPaletteEntries"); }
    HRESULT STDMETHODCALLTYPE SetCurrentTexturePalette(UINT) override
        { return Unused("IDirect3DDevice9::SetCurrentTexturePalette"); }
    HRESULT STDMETHODCALLTYPE GetCurrentTexturePalette(UINT *) override
        { return Unused("IDirect3DDevice9::GetCurrentTexturePalette"); }
    HRESULT STDMETHODCALLTYPE SetScissorRect(const RECT *) override
        { return Unused("IDirect3DDevice9::SetScissorRect"); }
    HRESULT STDMETHODCALLTYPE GetScissorRect(RECT*) override
        { return Unused("IDirect3DDevice9::GetScissorRect"); }
    HRESULT STDMETHODCALLTYPE SetSoftwareVertexProcessing(WINBOOL) override
        { return Unused("IDirect3DDevice9::SetSoftwareVertexProcessing"); }
    WINBOOL STDMETHODCALLTYPE GetSoftwareVertexProcessing() override
        { Unused("IDirect3DDevice9::GetSoftwareVertexProcessing"); return WINBOOL(); }
    HRESULT STDMETHODCALLTYPE SetNPatchMode(float) override
        { return Unused("IDirect3DDevice9::SetNPatchMode"); }
    float STDMETHODCALLTYPE GetNPatchMode() override
        { Unused("IDirect3DDevice9::GetNPatchMode"); return float(); }
    HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE, UINT, UINT) override
        { return Unused("IDirect3DDevice9::DrawPrimitive"); }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitive(D3DPRIMITIVETYPE, INT, UINT, UINT, UINT, UINT) override
        { return Unused("IDirect3DDevice9::DrawIndexedPrimitive"); }
    HRESULT STDMETHODCALLTYPE DrawPrimitiveUP(D3DPRIMITIVETYPE, UINT, const void *, UINT) override
        { return Unused("IDirect3DDevice9::DrawPrimitiveUP"); }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE, UINT, UINT, UINT, const void *, D3DFORMAT, const void *, UINT) override
        { return Unused("IDirect3DDevice9::DrawIndexedPrimitiveUP"); }
    HRESULT STDMETHODCALLTYPE ProcessVertices(UINT, UINT, UINT, IDirect3DVertexBuffer9*, IDirect3DVertexDeclaration9*, DWORD) override
        { return Unused("IDirect3DDevice9::ProcessVertices"); }
    HRESULT STDMETHODCALLTYPE CreateVertexDeclaration(const D3DVERTEXELEMENT9 *, IDirect3DVertexDeclaration9 **) override
        { return Unused("IDirect3DDevice9::CreateVertexDeclaration"); }
    HRESULT STDMETHODCALLTYPE SetVertexDeclaration(IDirect3DVertexDeclaration9*) override
        { return Unused("IDirect3DDevice9::SetVertexDeclaration"); }
    HRESULT STDMETHODCALLTYPE GetVertexDeclaration(IDirect3DVertexDeclaration9**) override
        { return Unused("IDirect3DDevice9::GetVertexDeclaration"); }
    HRESULT STDMETHODCALLTYPE SetFVF(DWORD) override
        { return Unused("IDirect3DDevice9::SetFVF"); }
    HRESULT STDMETHODCALLTYPE GetFVF(DWORD*) override
        { return Unused("IDirect3DDevice9::GetFVF"); }
    HRESULT STDMETHODCALLTYPE CreateVertexShader(const DWORD *, IDirect3DVertexShader9 **) override
        { return Unused("IDirect3DDevice9::CreateVertexShader"); }
    HRESULT STDMETHODCALLTYPE SetVertexShader(IDirect3DVertexShader9*) override
        { return Unused("IDirect3DDevice9::SetVertexShader"); }
    HRESULT STDMETHODCALLTYPE GetVertexShader(IDirect3DVertexShader9**) override
        { return Unused("IDirect3DDevice9::GetVertexShader"); }
    HRESULT STDMETHODCALLTYPE SetVertexShaderConstantF(UINT, const float *, UINT) override
        { return Unused("IDirect3DDevice9::SetVertexShaderConstantF"); }
    HRESULT STDMETHODCALLTYPE GetVertexShaderConstantF(UINT, float*, UINT) override
        { return Unused("IDirect3DDevice9::GetVertexShaderConstantF"); }
    HRESULT STDMETHODCALLTYPE SetVertexShaderConstantI(UINT, const int *, UINT) override
        { return Unused("IDirect3DDevice9::SetVertexShaderConstantI"); }
    HRESULT STDMETHODCALLTYPE GetVertexShaderConstantI(UINT, int*, UINT) override
        { return Unused("IDirect3DDevice9::GetVertexShaderConstantI"); }
    HRESULT STDMETHODCALLTYPE SetVertexShaderConstantB(UINT, const WINBOOL *, UINT) override
        { return Unused("IDirect3DDevice9::SetVertexShaderConstantB"); }
    HRESULT STDMETHODCALLTYPE GetVertexShaderConstantB(UINT, WINBOOL*, UINT) override
        { return Unused("IDirect3DDevice9::GetVertexShaderConstantB"); }
    HRESULT STDMETHODCALLTYPE SetStreamSource(UINT, IDirect3DVertexBuffer9*, UINT, UINT) override
        { return Unused("IDirect3DDevice9::SetStreamSource"); }
    HRESULT STDMETHODCALLTYPE GetStreamSource(UINT, IDirect3DVertexBuffer9**, UINT*, UINT*) override
        { return Unused("IDirect3DDevice9::GetStreamSource"); }
    HRESULT STDMETHODCALLTYPE SetStreamSourceFreq(UINT, UINT) override
        { return Unused("IDirect3DDevice9::SetStreamSourceFreq"); }
    HRESULT STDMETHODCALLTYPE GetStreamSourceFreq(UINT, UINT*) override
        { return Unused("IDirect3DDevice9::GetStreamSourceFreq"); }
    HRESULT STDMETHODCALLTYPE SetIndices(IDirect3DIndexBuffer9*) override
        { return Unused("IDirect3DDevice9::SetIndices"); }
    HRESULT STDMETHODCALLTYPE GetIndices(IDirect3DIndexBuffer9**) override
        { return Unused("IDirect3DDevice9::GetIndices"); }
    HRESULT STDMETHODCALLTYPE CreatePixelShader(const DWORD *, IDirect3DPixelShader9 **) override
        { return Unused("IDirect3DDevice9::CreatePixelShader"); }
    HRESULT STDMETHODCALLTYPE SetPixelShader(IDirect3DPixelShader9*) override
        { return Unused("IDirect3DDevice9::SetPixelShader"); }
    HRESULT STDMETHODCALLTYPE GetPixelShader(IDirect3DPixelShader9**) override
        { return Unused("IDirect3DDevice9::GetPixelShader"); }
    HRESULT STDMETHODCALLTYPE SetPixelShaderConstantF(UINT, const float *, UINT) override
        { return Unused("IDirect3DDevice9::SetPixelShaderConstantF"); }
    HRESULT STDMETHODCALLTYPE GetPixelShaderConstantF(UINT, float*, UINT) override
        { return Unused("IDirect3DDevice9::GetPixelShaderConstantF"); }
    HRESULT STDMETHODCALLTYPE SetPixelShaderConstantI(UINT, const int *, UINT) override
        { return Unused("IDirect3DDevice9::SetPixelShaderConstantI"); }
    HRESULT STDMETHODCALLTYPE GetPixelShaderConstantI(UINT, int*, UINT) override
        { return Unused("IDirect3DDevice9::GetPixelShaderConstantI"); }
    HRESULT STDMETHODCALLTYPE SetPixelShaderConstantB(UINT, const WINBOOL *, UINT) override
        { return Unused("IDirect3DDevice9::SetPixelShaderConstantB"); }
    HRESULT STDMETHODCALLTYPE GetPixelShaderConstantB(UINT, WINBOOL*, UINT) override
        { return Unused("IDirect3DDevice9::GetPixelShaderConstantB"); }
    HRESULT STDMETHODCALLTYPE DrawRectPatch(UINT, const float *, const D3DRECTPATCH_INFO *) override
        { return Unused("IDirect3DDevice9::DrawRectPatch"); }
    HRESULT STDMETHODCALLTYPE DrawTriPatch(UINT, const float *, const D3DTRIPATCH_INFO *) override
        { return Unused("IDirect3DDevice9::DrawTriPatch"); }
    HRESULT STDMETHODCALLTYPE DeletePatch(UINT) override
        { return Unused("IDirect3DDevice9::DeletePatch"); }
    HRESULT STDMETHODCALLTYPE CreateQuery(D3DQUERYTYPE, IDirect3DQuery9**) override
        { return Unused("IDirect3DDevice9::CreateQuery"); }

private:
    void* FindInterface(REFIID iid) override;
    HRESULT Unused(const char* method);

    IDirect3D9* direct3D;  // not AddRef'd: the engine releases the device before Direct3D
    D3DDEVICE_CREATION_PARAMETERS creation;
    D3DPRESENT_PARAMETERS presentation;
};
