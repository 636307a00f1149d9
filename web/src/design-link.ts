// The design link: the design file's text in the address's fragment
// ("#design=" and the UTF-8 bytes in base64url), which the browser never
// sends to a server. Opening such an address gives the engine the bytes the
// link holds; what is not a design is the engine's to refuse.
const prefix = '#design=';

export function designLink(location: Location, designText: string): string {
  const bytes = new TextEncoder().encode(designText);
  let binary = '';
  for (let k = 0; k < bytes.length; k += 0x8000) binary += String.fromCharCode(...bytes.subarray(k, k + 0x8000));
  const encoded = btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  return `${location.origin}${location.pathname}${prefix}${encoded}`;
}

/** The bytes a design link's fragment carries, or null for an address without one. */
export function designOfFragment(hash: string): Uint8Array | null {
  if (!hash.startsWith(prefix)) return null;
  const encoded = hash.slice(prefix.length);
  try {
    const binary = atob(encoded.replace(/-/g, '+').replace(/_/g, '/'));
    const bytes = new Uint8Array(binary.length);
    for (let k = 0; k < binary.length; ++k) bytes[k] = binary.charCodeAt(k);
    return bytes;
  } catch {
    // Not base64: the text itself, which the engine then refuses as no design.
    let text = encoded;
    try {
      text = decodeURIComponent(encoded);
    } catch {
      // Escapes that are no UTF-8: the text as it stands.
    }
    return new TextEncoder().encode(text);
  }
}
