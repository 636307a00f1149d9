// The types of server.mjs, for the browser tests' harness.
export interface ServedRequest {
  method: string;
  /** The request's target as sent: path and query. */
  url: string;
  status: number;
}

export interface Served {
  /** http://127.0.0.1:PORT/ */
  url: string;
  port: number;
  close(): Promise<void>;
}

export const mimeTypes: Record<string, string>;

export function startServer(options: {
  root: string;
  port?: number;
  onRequest?: (request: ServedRequest) => void;
}): Promise<Served>;
