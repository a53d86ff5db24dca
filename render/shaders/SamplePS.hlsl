// The sprite pixel shader: the sheet's texel as it is. The command's colour and alpha act
// through the blend factor; the blend states' alpha-to-coverage leaves out the picture's
// own transparent texels.
Texture2D sheet : register(t0);
SamplerState sheetSampler : register(s0);

struct PixelIn {
    float4 position : SV_POSITION;
    float4 color : COLOR;
    float2 texcoord : TEXCOORD;
};

float4 main(PixelIn p) : SV_TARGET {
    return sheet.Sample(sheetSampler, p.texcoord);
}
