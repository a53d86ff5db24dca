// The sprite vertex shader: positions arrive in clip space, as the draw list made them.
struct VertexIn {
    float3 position : POSITION;
    float4 color : COLOR;
    float2 texcoord : TEXCOORD;
};

struct VertexOut {
    float4 position : SV_POSITION;
    float4 color : COLOR;
    float2 texcoord : TEXCOORD;
};

VertexOut main(VertexIn v) {
    VertexOut o;
    o.position = float4(v.position, 1.0);
    o.color = v.color;
    o.texcoord = v.texcoord;
    return o;
}
